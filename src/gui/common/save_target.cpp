#include "gui/common/save_target.h"

#include <QFileInfo>
#include <QMessageBox>

namespace kv {

bool mayReplaceAddedName(QWidget* parent, const QString& chosen, const QString& written,
                         const QString& title) {
    if (written == chosen || !QFileInfo::exists(written)) return true;
    const QString text =
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(written).fileName());
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace kv
