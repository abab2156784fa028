#pragma once
// The one waiting window shown around every long operation.
#include "platform/form.h"

namespace vx {

class Form_Wait : public Form {
    Q_OBJECT
public:
    Form_Wait();
    // Shows the window and paints it at once, before the long work starts.
    void ShowNow();

protected:
    void Form_Load() override;
};

// Shows the waiting window and paints it before the work that follows.
void showWaiting();
// Hides it when it is open; harmless when it is not.
void hideWaiting();

}  // namespace vx
