// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its dialogs on a dark desktop and on a high-resolution screen: every text
// stands out from what it is drawn on, and every picture is drawn for the screen's pixel ratio.
// With QUILLARY_SCREENSHOTS set to a folder, the window is saved there as it looks.
#include "main_window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace quillary;

namespace {

const QByteArray Data = "{Params}\r\n"
                        "{0 11 }My Contacts~~~~~~32892645\r\n"
                        "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                        "{2 3 }Sonja Berg~~~~~~5\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                        "{2 1 }Acme~~~~~~6\r\n{Orgn}~~~~~~~~~~0\r\n"
                        "{1 3 }Mason Sonny~~~~~~4\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                        "{2 6 }Home~~555-0101~~~~7\r\n{Phon}~~0\r\n";

QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(0x2d, 0x2d, 0x30), base(0x1e, 0x1e, 0x1e), text(0xe8, 0xe8, 0xe8);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window},
                                       {QPalette::WindowText, text},
                                       {QPalette::Base, base},
                                       {QPalette::AlternateBase, window},
                                       {QPalette::Text, text},
                                       {QPalette::Button, window},
                                       {QPalette::ButtonText, text},
                                       {QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x2a)},
                                       {QPalette::ToolTipText, text},
                                       {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)},
                                       {QPalette::HighlightedText, Qt::white},
                                       {QPalette::PlaceholderText, Qt::gray}})
        dark.setColor(role, colour);
    return dark;
}

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double Luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The widgets of the window that draw text in a colour too close to what is behind it.
QStringList FaintTexts(QWidget& window)
{
    QStringList faint;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !(qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                      qobject_cast<QAbstractItemView*>(widget)))
            continue;
        const bool onBase = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget);
        const QPalette& palette = widget->palette();
        const QColor text = palette.color(onBase ? QPalette::Text : widget->foregroundRole());
        const QColor behind = palette.color(
            onBase ? QPalette::Base : (widget->autoFillBackground() ? widget->backgroundRole() : QPalette::Window));
        if (Contrast(text, behind) < 4.5)
            faint << QStringLiteral("%1 (%2)").arg(widget->objectName(),
                                                   QString::fromLatin1(widget->metaObject()->className()));
    }
    return faint;
}

void SaveScreenshot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUILLARY_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300); // the icon list lays its entries out in batches after it is shown
    QVERIFY(window.grab().save(folder + QLatin1Char('/') + name));
}

// Every picture a label or a button shows, with where it is.
QList<std::pair<QString, qreal>> PictureRatios(QWidget& window)
{
    QList<std::pair<QString, qreal>> ratios;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            ratios.append({label->objectName(), label->pixmap().devicePixelRatio()});
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (!button->icon().isNull() && button->isVisible())
            ratios.append(
                {button->objectName() + button->text(), button->icon().pixmap(button->iconSize()).devicePixelRatio()});
    return ratios;
}

} // namespace

class AppearanceTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_window;

    void OpenWindow()
    {
        m_window.Open(Data);
        m_window.form->resize(900, 560);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.form.get()));
    }

private slots:
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void everyTextStandsOutInALightAndADarkPalette()
    {
        for (const bool dark : {false, true}) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
            OpenWindow();
            const QStringList faint = FaintTexts(*m_window.form);
            QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
            if (dark)
                SaveScreenshot(*m_window.form, QStringLiteral("main-window-dark.png"));
        }
    }

    // On a screen of any pixel ratio (the suite runs this also at 200 %) every picture is drawn for
    // that ratio, never a smaller bitmap scaled up.
    void picturesAreDrawnForTheScreensPixelRatio()
    {
        OpenWindow();
        const qreal ratio = m_window.form->devicePixelRatioF();
        for (const auto& [where, pictureRatio] : PictureRatios(*m_window.form))
            QVERIFY2(qFuzzyCompare(pictureRatio, ratio), qPrintable(where));
        const QModelIndex first =
            m_window.form->findChild<QAbstractItemView*>(QStringLiteral("Folders"))->model()->index(0, 0);
        const QIcon itemPicture = qvariant_cast<QIcon>(first.data(Qt::DecorationRole));
        QVERIFY(qFuzzyCompare(itemPicture.pixmap(QSize(16, 16)).devicePixelRatio(), ratio));
        // The dialogs' pictures too: a person's dialog, opened as New does.
        QDialog* shown = nullptr;
        QList<std::pair<QString, qreal>> dialogRatios;
        QTimer::singleShot(50, [&] {
            shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (shown) {
                dialogRatios = PictureRatios(*shown);
                shown->reject();
            }
        });
        for (QAction* action : m_window.form->findChildren<QAction*>())
            if (action->text() == QStringLiteral("&Person")) {
                action->trigger();
                break;
            }
        QVERIFY(shown);
        QVERIFY(!dialogRatios.isEmpty());
        for (const auto& [where, pictureRatio] : dialogRatios)
            QVERIFY2(qFuzzyCompare(pictureRatio, ratio), qPrintable(where));
        if (ratio > 1.5)
            SaveScreenshot(*m_window.form, QStringLiteral("main-window-200.png"));
    }
};

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"
