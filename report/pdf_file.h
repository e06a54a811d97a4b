#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// A PDF file written object by object, with what the reports need of the format and no more.
class PdfFile
{
public:
    PdfFile();
    ~PdfFile();
    PdfFile(const PdfFile &) = delete;
    PdfFile &operator=(const PdfFile &) = delete;

    // A number for an object written later; objects may refer to it before.
    int NewObject();
    void Write(int object, const QByteArray &value);
    // The data deflated, its dictionary's other entries ("/Type /XObject …") before them.
    void WriteStream(int object, const QByteArray &entries, const QByteArray &data);
    // The whole file: the objects, their cross-reference table, and the trailer naming the catalogue and the
    // document's information.
    QByteArray Finish(int catalogue, int information) const;

private:
    std::vector<QByteArray> objects_; // a number's body at number - 1
    struct Deflater;
    std::unique_ptr<Deflater> deflater_;
};

// A number as the file writes it: no exponent, at most three decimals, no trailing zeros.
QByteArray PdfNumber(double value);
// The same after what *out holds: a page writes thousands.
void AppendPdfNumber(QByteArray *out, double value);
// "5 0 R"
QByteArray PdfReference(int object);
// Bytes as a literal string: "(…)", with what would end or change it escaped.
QByteArray PdfString(const QByteArray &bytes);
// A text string as UTF-16 with its byte order mark, in hexadecimal: any letters, nothing to escape.
QByteArray PdfText(const QString &text);
