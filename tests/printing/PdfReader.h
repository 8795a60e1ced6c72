#pragma once

// Reads a printed PDF back the way a person would see it: words with their places on the page,
// through poppler's pdftotext and pdfinfo.

#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

/// Lets test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zeft::test {

/// A word on a page; places in millimetres from the paper's top left corner.
struct TPdfWord {
    QString Text;
    double Left = 0.0;
    double Top = 0.0;
    double Right = 0.0;
    double Bottom = 0.0;
};

/// The words of a line, left to right.
struct TPdfLine {
    double Top = 0.0;
    std::vector<TPdfWord> Words;

    QString Text() const;
    /// The words that start within [left, right) millimetres, joined by spaces.
    QString TextBetween(double left, double right) const;
};

struct TPdfPage {
    double Width = 0.0; ///< millimetres
    double Height = 0.0;
    std::vector<TPdfLine> Lines; ///< top to bottom

    /// The first line whose text is exactly text, or null.
    const TPdfLine* FindLine(const QString& text) const;
    QStringList LineTexts() const;
};

/// The pages of a PDF file. Fails the current test (and returns no page) when pdftotext is
/// missing or cannot read the file.
std::vector<TPdfPage> ReadPdf(const QString& fileName);

/// The plain text of a PDF with its layout kept, pages separated by form feeds.
QString ReadPdfText(const QString& fileName);

/// A field of pdfinfo ("Title", "Pages", ...), or empty text.
QString PdfInfo(const QString& fileName, const QString& field);

} // namespace zeft::test
