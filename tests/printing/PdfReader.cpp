#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace zeft::test {

namespace {

constexpr double MillimetresPerPoint = 25.4 / 72.0;
// Words whose tops lie closer than this belong to one line.
constexpr double LineTolerance = 1.0;

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << process.errorString().toStdString() << " "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Unescape(QString text) {
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

void AddWord(TPdfPage& page, TPdfWord word) {
    auto line = std::find_if(page.Lines.begin(), page.Lines.end(), [&](const TPdfLine& candidate) {
        return std::abs(candidate.Top - word.Top) < LineTolerance;
    });
    if (line == page.Lines.end()) {
        page.Lines.push_back(TPdfLine{word.Top, {}});
        line = page.Lines.end() - 1;
    }
    line->Words.push_back(std::move(word));
}

void SortPage(TPdfPage& page) {
    std::sort(page.Lines.begin(), page.Lines.end(),
              [](const TPdfLine& a, const TPdfLine& b) { return a.Top < b.Top; });
    for (TPdfLine& line : page.Lines) {
        std::sort(line.Words.begin(), line.Words.end(),
                  [](const TPdfWord& a, const TPdfWord& b) { return a.Left < b.Left; });
    }
}

} // namespace

QString TPdfLine::Text() const {
    QStringList texts;
    for (const TPdfWord& word : Words)
        texts.append(word.Text);
    return texts.join(QLatin1Char(' '));
}

QString TPdfLine::TextBetween(double left, double right) const {
    QStringList texts;
    for (const TPdfWord& word : Words) {
        if (word.Left >= left && word.Left < right)
            texts.append(word.Text);
    }
    return texts.join(QLatin1Char(' '));
}

const TPdfLine* TPdfPage::FindLine(const QString& text) const {
    const auto found = std::find_if(Lines.begin(), Lines.end(),
                                    [&](const TPdfLine& line) { return line.Text() == text; });
    return found == Lines.end() ? nullptr : &*found;
}

QStringList TPdfPage::LineTexts() const {
    QStringList texts;
    for (const TPdfLine& line : Lines)
        texts.append(line.Text());
    return texts;
}

std::vector<TPdfPage> ReadPdf(const QString& fileName) {
    const QString xhtml =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    static const QRegularExpression pageTag(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>"));
    std::vector<TPdfPage> pages;
    const QStringList pageTexts = xhtml.split(QStringLiteral("</page>"));
    for (const QString& pageText : pageTexts) {
        const QRegularExpressionMatch header = pageTag.match(pageText);
        if (!header.hasMatch())
            continue;
        TPdfPage page;
        page.Width = header.captured(1).toDouble() * MillimetresPerPoint;
        page.Height = header.captured(2).toDouble() * MillimetresPerPoint;
        for (auto words = wordTag.globalMatch(pageText); words.hasNext();) {
            const QRegularExpressionMatch word = words.next();
            AddWord(page, TPdfWord{Unescape(word.captured(5)),
                                   word.captured(1).toDouble() * MillimetresPerPoint,
                                   word.captured(2).toDouble() * MillimetresPerPoint,
                                   word.captured(3).toDouble() * MillimetresPerPoint,
                                   word.captured(4).toDouble() * MillimetresPerPoint});
        }
        SortPage(page);
        pages.push_back(std::move(page));
    }
    return pages;
}

QString ReadPdfText(const QString& fileName) {
    return Run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), fileName, QStringLiteral("-")});
}

QString PdfInfo(const QString& fileName, const QString& field) {
    const QString info = Run(QStringLiteral("pdfinfo"), {fileName});
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

} // namespace zeft::test
