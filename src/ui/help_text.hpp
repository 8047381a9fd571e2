// The text of the help panel (Memo4) and the credit line under the input area (Label7).
#pragma once

#include <QStringList>

namespace selko::ui {

// The help panel's lines, one entry a line, trailing blanks included; with `extended` (the
// "extended" box is on) they tell of the engine as well.
QStringList HelpLines(bool extended);

// The credit line shown under the input area.
QString CreditLine();

} // namespace selko::ui
