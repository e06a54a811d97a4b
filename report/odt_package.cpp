#include "report/odt_package.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <array>

namespace {

// A ZIP archive's entry as its central directory describes it, its data still compressed.
struct ZipEntry
{
    QByteArray name;
    quint16 method = 0; // 0 stored, 8 deflated
    quint16 time = 0, date = 0;
    quint32 crc = 0, size = 0;
    QByteArray data;
};

quint32 Crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> kTable = [] {
        std::array<quint32, 256> table{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = kTable[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

template <class T>
T At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

template <class T>
void Append(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof little);
}

// The entries of an archive without a comment, as Qt writes them; none when it is not one.
QList<ZipEntry> ReadZip(const QByteArray &zip)
{
    constexpr qsizetype kEndSize = 22, kCentralSize = 46, kLocalSize = 30;
    if (zip.size() < kEndSize || At<quint32>(zip, zip.size() - kEndSize) != 0x06054b50)
        return {};
    const qsizetype end = zip.size() - kEndSize;
    QList<ZipEntry> entries;
    qsizetype at = At<quint32>(zip, end + 16);
    for (int i = At<quint16>(zip, end + 10); i > 0; --i) {
        if (at + kCentralSize > end || At<quint32>(zip, at) != 0x02014b50)
            return {};
        ZipEntry entry;
        entry.method = At<quint16>(zip, at + 10);
        entry.time = At<quint16>(zip, at + 12);
        entry.date = At<quint16>(zip, at + 14);
        entry.crc = At<quint32>(zip, at + 16);
        const quint32 packed = At<quint32>(zip, at + 20);
        entry.size = At<quint32>(zip, at + 24);
        const quint16 nameSize = At<quint16>(zip, at + 28);
        entry.name = zip.mid(at + kCentralSize, nameSize);
        const qsizetype local = At<quint32>(zip, at + 42);
        if (local + kLocalSize > end || At<quint32>(zip, local) != 0x04034b50)
            return {};
        const qsizetype data = local + kLocalSize + At<quint16>(zip, local + 26) + At<quint16>(zip, local + 28);
        if (data + packed > end)
            return {};
        entry.data = zip.mid(data, packed);
        entries << entry;
        at += kCentralSize + nameSize + At<quint16>(zip, at + 30) + At<quint16>(zip, at + 32);
    }
    return entries;
}

QByteArray WriteZip(const QList<ZipEntry> &entries)
{
    QByteArray zip, central;
    const auto header = [](QByteArray &bytes, const ZipEntry &entry) {
        Append<quint16>(bytes, 0); // no flags
        Append<quint16>(bytes, entry.method);
        Append<quint16>(bytes, entry.time);
        Append<quint16>(bytes, entry.date);
        Append<quint32>(bytes, entry.crc);
        Append<quint32>(bytes, quint32(entry.data.size()));
        Append<quint32>(bytes, entry.size);
        Append<quint16>(bytes, quint16(entry.name.size()));
        Append<quint16>(bytes, 0); // no extra field
    };
    for (const ZipEntry &entry : entries) {
        Append<quint32>(central, 0x02014b50);
        Append<quint16>(central, 20); // made by: version 2.0
        Append<quint16>(central, 20); // needed to extract
        header(central, entry);
        Append<quint16>(central, 0); // no comment
        Append<quint16>(central, 0); // disk
        Append<quint16>(central, 0); // internal attributes
        Append<quint32>(central, 0); // external attributes
        Append<quint32>(central, quint32(zip.size()));
        central += entry.name;
        Append<quint32>(zip, 0x04034b50);
        Append<quint16>(zip, 20);
        header(zip, entry);
        zip += entry.name + entry.data;
    }
    const quint32 centralAt = quint32(zip.size());
    zip += central;
    Append<quint32>(zip, 0x06054b50);
    Append<quint32>(zip, 0); // this disk, and the one the directory starts on
    Append<quint16>(zip, quint16(entries.size()));
    Append<quint16>(zip, quint16(entries.size()));
    Append<quint32>(zip, quint32(central.size()));
    Append<quint32>(zip, centralAt);
    Append<quint16>(zip, 0); // no comment
    return zip;
}

ZipEntry Stored(const char *name, const QByteArray &data, const ZipEntry &sameTime)
{
    ZipEntry entry = sameTime;
    entry.name = name;
    entry.method = 0;
    entry.crc = Crc32(data);
    entry.size = quint32(data.size());
    entry.data = data;
    return entry;
}

QByteArray Styles(const QMarginsF &margins)
{
    const auto mm = [](qreal value) { return QString::number(value) + QStringLiteral("mm"); };
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<office:document-styles xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" office:version=\"1.2\">\n"
               " <office:styles>\n"
               "  <style:style style:name=\"Footer\" style:family=\"paragraph\" style:class=\"extra\">\n"
               "   <style:paragraph-properties fo:text-align=\"center\"/>\n"
               "   <style:text-properties fo:font-family=\"Tahoma\" fo:font-size=\"8pt\"/>\n"
               "  </style:style>\n"
               " </office:styles>\n"
               " <office:automatic-styles>\n"
               "  <style:page-layout style:name=\"A4\">\n"
               "   <style:page-layout-properties fo:page-width=\"210mm\" fo:page-height=\"297mm\" "
               "style:print-orientation=\"portrait\" fo:margin-top=\"%1\" fo:margin-bottom=\"%2\" "
               "fo:margin-left=\"%3\" fo:margin-right=\"%4\"/>\n"
               "   <style:footer-style><style:header-footer-properties fo:min-height=\"0mm\" fo:margin-top=\"3mm\"/>"
               "</style:footer-style>\n"
               "  </style:page-layout>\n"
               " </office:automatic-styles>\n"
               " <office:master-styles>\n"
               "  <style:master-page style:name=\"Standard\" style:page-layout-name=\"A4\">\n"
               "   <style:footer><text:p text:style-name=\"Footer\">стр. <text:page-number "
               "text:select-page=\"current\">1</text:page-number> из <text:page-count>1</text:page-count></text:p>"
               "</style:footer>\n"
               "  </style:master-page>\n"
               " </office:master-styles>\n"
               "</office:document-styles>\n")
        .arg(mm(margins.top()), mm(margins.bottom()), mm(margins.left()), mm(margins.right()))
        .toUtf8();
}

// Every file of the package, styles.xml among them.
QByteArray Manifest(const QList<ZipEntry> &entries)
{
    QString manifest =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
                       "manifest:version=\"1.2\">\n"
                       " <manifest:file-entry manifest:media-type=\"application/vnd.oasis.opendocument.text\" "
                       "manifest:full-path=\"/\"/>\n");
    for (const ZipEntry &entry : entries) {
        const QString name = QString::fromUtf8(entry.name);
        if (name == QLatin1String("mimetype") || name.startsWith(QLatin1String("META-INF/")))
            continue;
        // Qt's writer keeps the pictures as PNG.
        const QString type =
            name.endsWith(QLatin1String(".xml")) ? QStringLiteral("text/xml") : QStringLiteral("image/png");
        manifest += QStringLiteral(" <manifest:file-entry manifest:media-type=\"%1\" manifest:full-path=\"%2\"/>\n")
                        .arg(type, name.toHtmlEscaped());
    }
    return (manifest + QStringLiteral("</manifest:manifest>\n")).toUtf8();
}

} // namespace

QByteArray WithPageStyle(const QByteArray &odt, const QMarginsF &margins)
{
    QList<ZipEntry> entries = ReadZip(odt);
    if (entries.isEmpty() || entries.front().name != "mimetype")
        return {};
    entries.removeIf(
        [](const ZipEntry &entry) { return entry.name == "META-INF/manifest.xml" || entry.name == "styles.xml"; });
    entries << Stored("styles.xml", Styles(margins), entries.front());
    entries << Stored("META-INF/manifest.xml", Manifest(entries), entries.front());
    return WriteZip(entries);
}
