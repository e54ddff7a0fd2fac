// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plain_text.h"

#include <QTextDocument>

namespace quillary {

QString PlainToolTip(const QString& text)
{
    // Ordinary text stays as it is; text that would be taken for markup is escaped rich text.
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

} // namespace quillary
