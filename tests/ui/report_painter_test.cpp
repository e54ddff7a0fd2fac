// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/report_painter.h"

#include "model/data_file.h"
#include "model/item_tree.h"
#include "reports/page_settings.h"
#include "reports/report_layouts.h"
#include "reports/report_lines.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sstream>

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
double Points(double hundredths)
{
    return hundredths * 0.72;
}

// Ann's label is six lines, Bob's four; Worthington's name is far wider than its column.
const char* const People =
    "{Params}\r\n"
    "{0 11 }My Contacts~~~~~~1\r\n"
    "{1 3 }Ann Lee~~Ann Lee~~~~2\r\n{Pers}~~Ann~~~~Lee~~Home~~~~~~~~~~0\r\n"
    "{2 5 }Home~~1 Mainword St~~~~3\r\n"
    "{Addr}1 Mainword St~~Flatword 2~~Courtword~~Springword~~IL~~62701~~Countryword~~0\r\n"
    "{1 3 }Bob Roe~~Bob Roe~~~~4\r\n{Pers}~~Bob~~~~Roe~~Home~~~~~~~~~~0\r\n"
    "{2 5 }Home~~9 Elmword Rd~~~~5\r\n{Addr}9 Elmword Rd~~~~~~Townword~~NY~~10001~~Landword~~0\r\n"
    "{1 1 }Worthington Consolidated International Holdings and Trading Company of Greater "
    "London and the Home Counties Limited~~~~~~6\r\n{Orgn}~~Main~~~~~~~~0\r\n"
    "{2 6 }Main~~555-0100~~~~7\r\n{Phon}~~0\r\n";

std::optional<PdfLayout> PrintToPdf(const ReportDocument& document, const QTemporaryDir& dir)
{
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    if (!SaveReportPdf(document, pdf, nullptr))
        return std::nullopt;
    return ReadPdf(pdf);
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

    void labelLinesPrintWholeOnTheirLabels()
    {
        ItemTree tree;
        std::istringstream in(People);
        LoadDataStream(in, tree.Root());
        const LabelSheet& sheet = *FindLabelSheet("Avery 5160-Address");
        ReportFont font;
        font.points = DefaultLabelPoints(sheet);
        QCOMPARE(font.points, 10);
        const ReportDocument document = MakeLabelReport(tree, RangeOf(tree.Root()), sheet, font).Compose({850, 1100});
        QCOMPARE(document.linesLeftOut, 1);
        QTemporaryDir dir;
        const std::optional<PdfLayout> layout = PrintToPdf(document, dir);
        QVERIFY(layout);

        // The first label's memo starts 0.60 inch down and ends 0.90 inch lower.
        const double labelTop = Points(60);
        const double labelBottom = Points(60 + 90);
        const QStringList lines = {"Ann", "Mainword", "Flatword", "Courtword", "Springword,"};
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(layout->words.contains(lines[i]), qPrintable(lines[i]));
            const PdfWord& word = layout->words[lines[i]];
            QVERIFY2(qAbs(word.yMin - (labelTop + Points(i * LineHeightOf(10)))) <= 1,
                     qPrintable(QStringLiteral("%1 at %2").arg(lines[i]).arg(word.yMin)));
            QVERIFY2(word.yMax <= labelBottom,
                     qPrintable(QStringLiteral("%1 ends at %2").arg(lines[i]).arg(word.yMax)));
        }
        // The sixth line did not fit whole and is not printed at all, not even in part.
        QVERIFY(!layout->words.contains(QStringLiteral("Countryword")));
        QVERIFY(!layout->words.contains(QStringLiteral("62701")));
        QVERIFY(layout->words.contains(QStringLiteral("Landword")));
    }

    void aLongNameInTheBookEndsBeforeThePhoneNumber()
    {
        ItemTree tree;
        std::istringstream in(People);
        LoadDataStream(in, tree.Root());
        BookOptions options;
        options.font.points = 10;
        const ReportDocument document = MakeBookReport(tree, RangeOf(tree.Root()), options).Compose({850, 1100});
        QTemporaryDir dir;
        const std::optional<PdfLayout> layout = PrintToPdf(document, dir);
        QVERIFY(layout);
        QVERIFY(layout->words.contains(QStringLiteral("555-0100")));
        const PdfWord phone = layout->words[QStringLiteral("555-0100")];
        QVERIFY(qAbs(phone.xMax - Points(850 - 25)) <= 1); // against the column's right edge
        int nameWords = 0;
        bool elided = false;
        for (auto word = layout->words.cbegin(); word != layout->words.cend(); ++word) {
            if (word.key() == QStringLiteral("555-0100") || qAbs(word->yMin - phone.yMin) > 3)
                continue;
            ++nameWords;
            elided = elided || word.key().endsWith(QChar(0x2026));
            QVERIFY2(word->xMax < phone.xMin, qPrintable(word.key()));
        }
        QVERIFY(nameWords >= 3);
        QVERIFY(elided);
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
