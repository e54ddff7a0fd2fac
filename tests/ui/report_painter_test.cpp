// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/report_painter.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace quillary;

namespace {

ReportBox Box(int left, int top, int width, std::string text, ReportAlign align = ReportAlign::Left)
{
    ReportBox box;
    box.left = left;
    box.top = top;
    box.width = width;
    box.height = 40;
    box.lines = {std::move(text)};
    box.font.points = 12;
    box.align = align;
    return box;
}

struct PdfWord
{
    int page;
    double xMin;
    double yMin;
    double xMax;
    double yMax;
};

// The layout pdftotext reads back: page sizes in points and where each word is.
struct PdfLayout
{
    QList<QSizeF> pages;
    QHash<QString, PdfWord> words;
};

std::optional<PdfLayout> ReadPdf(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished() || process.exitCode() != 0)
        return std::nullopt;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression item(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">|)re"
                       R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    PdfLayout layout;
    for (const QRegularExpressionMatch& match : item.globalMatch(html)) {
        if (!match.captured(1).isEmpty())
            layout.pages.append(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()));
        else
            layout.words.insert(match.captured(7), {static_cast<int>(layout.pages.size()), match.captured(3).toDouble(),
                                                    match.captured(4).toDouble(), match.captured(5).toDouble(),
                                                    match.captured(6).toDouble()});
    }
    return layout;
}

// Hundredths of an inch in PDF points.
double Points(int hundredths)
{
    return hundredths * 0.72;
}

} // namespace

class ReportPainterTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
    }

    void wordsLandWhereTheBoxesSay()
    {
        ReportDocument document;
        document.title = "Quillary Printing";
        document.pageWidth = 850;
        document.pageHeight = 1100;
        document.pages.resize(2);
        document.pages[0].boxes = {Box(100, 100, 300, "Alphaword"),
                                   Box(100, 200, 400, "Rightword", ReportAlign::Right)};
        ReportBox inverse = Box(250, 500, 200, "Inverseword");
        inverse.inverse = true;
        document.pages[1].boxes = {Box(300, 700, 200, "Betaword"), inverse};
        // A line that starts below the box's foot is not printed at all.
        document.pages[1].boxes[0].lines.push_back("Clippedword");
        document.pages[1].boxes[0].height = 15;

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QString error;
        QVERIFY2(SaveReportPdf(document, pdf, &error), qPrintable(error));
        const std::optional<PdfLayout> layout = ReadPdf(pdf);
        QVERIFY(layout);

        QCOMPARE(layout->pages.size(), 2);
        for (const QSizeF& page : layout->pages)
            QCOMPARE(page, QSizeF(612, 792));
        const auto expect = [&](const QString& word, int page, double x, double top) {
            QVERIFY2(layout->words.contains(word), qPrintable(word));
            const PdfWord& found = layout->words[word];
            QCOMPARE(found.page, page);
            QVERIFY2(qAbs(found.xMin - x) <= 1, qPrintable(QStringLiteral("%1 x %2").arg(word).arg(found.xMin)));
            QVERIFY2(qAbs(found.yMin - top) <= 1, qPrintable(QStringLiteral("%1 y %2").arg(word).arg(found.yMin)));
        };
        expect(QStringLiteral("Alphaword"), 1, Points(100), Points(100));
        expect(QStringLiteral("Betaword"), 2, Points(300), Points(700));
        expect(QStringLiteral("Inverseword"), 2, Points(250), Points(500));
        QVERIFY(qAbs(layout->words[QStringLiteral("Rightword")].xMax - Points(500)) <= 1);
        QVERIFY(!layout->words.contains(QStringLiteral("Clippedword")));
        // A 12-point line is about 12 to 18 points high, whatever the device's resolution.
        const PdfWord& alpha = layout->words[QStringLiteral("Alphaword")];
        QVERIFY2(alpha.yMax - alpha.yMin >= 12 && alpha.yMax - alpha.yMin <= 18,
                 qPrintable(QString::number(alpha.yMax)));
    }

    void landscapePagesAreWiderThanHigh()
    {
        ReportDocument document;
        document.pageWidth = 1100;
        document.pageHeight = 850;
        document.landscape = true;
        document.pages.resize(1);
        document.pages[0].boxes = {Box(900, 700, 150, "Cornerword")};
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("wide.pdf"));
        QVERIFY(SaveReportPdf(document, pdf, nullptr));
        const std::optional<PdfLayout> layout = ReadPdf(pdf);
        QVERIFY(layout);
        QCOMPARE(layout->pages, QList<QSizeF>{QSizeF(792, 612)});
        QVERIFY(qAbs(layout->words[QStringLiteral("Cornerword")].xMin - Points(900)) <= 1);
    }

    void unwritableFileIsNamedInTheError()
    {
        ReportDocument document;
        document.pageWidth = 850;
        document.pageHeight = 1100;
        document.pages.resize(1);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("missing/report.pdf"));
        QString error;
        QVERIFY(!SaveReportPdf(document, pdf, &error));
        QVERIFY2(error.contains(QStringLiteral("report.pdf")), qPrintable(error));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(ReportPainterTest)
#include "report_painter_test.moc"
