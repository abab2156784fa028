#pragma once
// The one waiting window shown around every long operation (forms::showWaiting).
#include "platform/form.h"

namespace vx {

class Form_Wait : public Form {
    Q_OBJECT
public:
    Form_Wait();

protected:
    void Form_Load() override;
};

}  // namespace vx
