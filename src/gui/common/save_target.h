#pragma once
// Save dialogs ask before replacing the file the player picked. When the
// program then adds the file type's extension to a name typed without it,
// the file it will write was never asked about: these ask for it.

#include <QString>

class QWidget;

namespace kv {

// Whether to write `written`, which the program made of the dialog's
// `chosen`: true when it is the chosen file itself or no such file exists,
// otherwise the player's answer to "... already exists. Do you want to
// replace it?" (No by default).
bool mayReplaceAddedName(QWidget* parent, const QString& chosen, const QString& written,
                         const QString& title);

}  // namespace kv
