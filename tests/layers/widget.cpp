// A logic file that reaches a widget through Qt's module folder.
#include <QtWidgets/QPushButton>

void pressed() { QPushButton().click(); }
