// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/editable_combo.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace quillary {

namespace {
// A label's text as read: without the mnemonic marks, "&&" standing for one ampersand.
QString WithoutMnemonic(const QString& text)
{
    QString read;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        read += text[i];
    }
    return read;
}

QString LabelText(const QComboBox& box)
{
    for (const QLabel* label : box.window()->findChildren<QLabel*>())
        if (label->buddy() == &box)
            return WithoutMnemonic(label->text());
    return {};
}

class LineNamer final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = static_cast<QComboBox*>(watched);
        if (event->type() == QEvent::Show && box->lineEdit())
            box->lineEdit()->setAccessibleName(box->accessibleName().isEmpty() ? LabelText(*box)
                                                                               : box->accessibleName());
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void MakeEditable(QComboBox& box)
{
    box.setEditable(true);
    box.installEventFilter(new LineNamer(&box));
}

} // namespace quillary
