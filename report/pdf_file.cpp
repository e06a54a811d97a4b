#include "report/pdf_file.h"

#include <zlib.h>

// One deflate stream for all of a file's: making one costs more than deflating a page, since it sets up its whole
// window and tables each time.
struct PdfFile::Deflater
{
    // A small window and tables: a page's content repeats within a few kilobytes.
    Deflater() { initialised = deflateInit2(&stream, 1, Z_DEFLATED, 12, 6, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflater()
    {
        if (initialised)
            deflateEnd(&stream);
    }

    // The data deflated, after the bytes already in *out; false when zlib could not.
    bool Deflate(const QByteArray &data, QByteArray *out)
    {
        if (!initialised || deflateReset(&stream) != Z_OK)
            return false;
        const qsizetype start = out->size();
        out->resize(start + qsizetype(deflateBound(&stream, uLong(data.size()))));
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        stream.next_out = reinterpret_cast<Bytef *>(out->data() + start);
        stream.avail_out = uInt(out->size() - start);
        const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
        out->resize(done ? start + qsizetype(stream.total_out) : start);
        return done;
    }

    z_stream stream{};
    bool initialised = false;
};

PdfFile::PdfFile() : deflater_(std::make_unique<Deflater>()) {}

PdfFile::~PdfFile() = default;

int PdfFile::NewObject()
{
    objects_.emplace_back();
    return int(objects_.size());
}

void PdfFile::Write(int object, const QByteArray &value)
{
    objects_[size_t(object) - 1] = value;
}

void PdfFile::WriteStream(int object, const QByteArray &entries, const QByteArray &data)
{
    QByteArray deflated;
    const bool packed = deflater_->Deflate(data, &deflated);
    const QByteArray &stored = packed ? deflated : data; // as it is, when zlib fails
    Write(object,
          "<< " + entries + (packed ? " /Filter /FlateDecode" : "") + " /Length " + QByteArray::number(stored.size())
              + " >>\nstream\n" + stored + "\nendstream");
}

QByteArray PdfFile::Finish(int catalogue, int information) const
{
    QByteArray file = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<qsizetype> offsets;
    offsets.reserve(objects_.size());
    for (size_t i = 0; i < objects_.size(); ++i) {
        offsets.push_back(file.size());
        file += QByteArray::number(qulonglong(i + 1)) + " 0 obj\n" + objects_[i] + "\nendobj\n";
    }
    const qsizetype table = file.size();
    file += "xref\n0 " + QByteArray::number(qulonglong(objects_.size() + 1)) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        file += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    file += "trailer\n<< /Size " + QByteArray::number(qulonglong(objects_.size() + 1)) + " /Root "
        + PdfReference(catalogue) + " /Info " + PdfReference(information) + " >>\nstartxref\n"
        + QByteArray::number(table) + "\n%%EOF\n";
    return file;
}

void AppendPdfNumber(QByteArray *out, double value)
{
    // In thousandths, by hand: a formatted double costs more than the rest of a page's line.
    qint64 thousandths = qRound64(value * 1000);
    char digits[24];
    char *end = digits + sizeof digits, *start = end;
    const bool negative = thousandths < 0;
    if (negative)
        thousandths = -thousandths;
    qint64 fraction = thousandths % 1000;
    int decimals = 3;
    while (decimals > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    for (int i = 0; i < decimals; ++i, fraction /= 10)
        *--start = char('0' + fraction % 10);
    if (decimals > 0)
        *--start = '.';
    qint64 whole = thousandths / 1000;
    do {
        *--start = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (negative && thousandths != 0)
        *--start = '-';
    out->append(start, end - start);
}

QByteArray PdfNumber(double value)
{
    QByteArray text;
    AppendPdfNumber(&text, value);
    return text;
}

QByteArray PdfReference(int object)
{
    return QByteArray::number(object) + " 0 R";
}

QByteArray PdfString(const QByteArray &bytes)
{
    QByteArray string = "(";
    string.reserve(bytes.size() + 2);
    for (const char byte : bytes) {
        if (byte == '(' || byte == ')' || byte == '\\')
            string += '\\';
        if (byte == '\r') // a reader would take it for the end of a line
            string += "\\r";
        else
            string += byte;
    }
    return string + ')';
}

QByteArray PdfText(const QString &text)
{
    QByteArray utf16 = "\xFE\xFF";
    for (const QChar unit : text) {
        utf16 += char(unit.unicode() >> 8);
        utf16 += char(unit.unicode() & 0xFF);
    }
    return '<' + utf16.toHex().toUpper() + '>';
}
