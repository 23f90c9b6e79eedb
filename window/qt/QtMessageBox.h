// The editor's messages on Linux: the platform's modal message box over the window, titled with
// the application title, with one OK button and no icon. Returns once the user has closed it;
// until then the window takes no action.
#pragma once

#include "platform/ShowMessage.h"

class QWidget;

namespace zarvex {

[[nodiscard]] ShowMessage QtMessageBox(QWidget* owner);

}  // namespace zarvex
