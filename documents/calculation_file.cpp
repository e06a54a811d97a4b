#include "documents/calculation_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>

namespace {

// The parser's cause in Russian whatever the desktop's language, as the rest of the message.
QString JsonErrorText(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("незавершённый объект");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("нет двоеточия после имени");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("незавершённый список");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("нет запятой между значениями");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("недопустимое значение");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("текст обрывается на числе");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("недопустимое число");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("недопустимая escape-последовательность");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("недопустимая строка UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("незавершённая строка");
    case QJsonParseError::MissingObject:
        return QStringLiteral("ожидался объект");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("слишком глубокая вложенность");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("документ слишком велик");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("лишний текст в конце");
    default:
        return QStringLiteral("неизвестная ошибка");
    }
}

constexpr char kFormatName[] = "ortix-t-calculation";
constexpr int kFormatVersion = 3;
// The version of a file with simulation parameters and no result of «Запас и разброс».
constexpr int kSimulationFormatVersion = 2;
// The version of a file with neither, which every earlier program reads whole.
constexpr int kPlainFormatVersion = 1;

// JSON string text; a lone surrogate, which UTF-8 cannot carry, is kept as its escape.
void AppendString(QByteArray &out, const QString &text)
{
    out += '"';
    // The characters that need no escape go as UTF-8 a run at a time.
    qsizetype run = 0;
    const auto endRun = [&](qsizetype end) { out += QStringView(text).mid(run, end - run).toUtf8(); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) {
            ++i;
            continue;
        }
        if (c != u'"' && c != u'\\' && c.unicode() >= 0x20 && !c.isSurrogate())
            continue;
        endRun(i);
        run = i + 1;
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += char(c.unicode());
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\t') {
            out += "\\t";
        } else {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
        }
    }
    endRun(text.size());
    out += '"';
}

QByteArray HexFloat(double value)
{
    char digits[64];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::hex);
    return (std::signbit(value) ? "-0x" : "0x") + QByteArray(digits, end - digits);
}

std::optional<double> FromHexFloat(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    const bool negative = bytes.startsWith('-');
    if (negative)
        bytes.remove(0, 1);
    if (!bytes.startsWith("0x") || bytes.size() < 3 || bytes[2] == '-' || bytes[2] == '+')
        return std::nullopt;
    double value = 0;
    const char *first = bytes.constData() + 2, *last = bytes.constData() + bytes.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::hex);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

void AppendQuantity(QByteArray &out, double value)
{
    out += '"' + HexFloat(value) + '"';
}

// On one line: {"text": ..., "unit": ..., "values": [...]}; values that are not finite are not kept.
void AppendResult(QByteArray &out, const ResultRecord &result)
{
    const bool finite =
        std::all_of(result.values.begin(), result.values.end(), [](double v) { return std::isfinite(v); });
    out += "{\"text\": ";
    AppendString(out, result.text);
    out += ", \"unit\": ";
    AppendString(out, finite ? result.unit : QString());
    out += ", \"values\": [";
    for (size_t i = 0; finite && i < result.values.size(); ++i) {
        out += i ? ", " : "";
        AppendQuantity(out, result.values[i]);
    }
    out += "]}";
}

template <class Value, class Append>
void AppendObject(QByteArray &out, const char *key, const std::vector<std::pair<QString, Value>> &members,
                  Append appendValue)
{
    out += "      \"";
    out += key;
    out += "\": {";
    for (size_t i = 0; i < members.size(); ++i) {
        out += i ? ",\n        " : "\n        ";
        AppendString(out, members[i].first);
        out += ": ";
        appendValue(out, members[i].second);
    }
    out += members.empty() ? "}" : "\n      }";
}

// A result's number, "null" where there is none.
QByteArray OptionalQuantity(double value)
{
    return std::isfinite(value) ? '"' + HexFloat(value) + '"' : QByteArray("null");
}

template <class Item, class Append>
void AppendList(QByteArray &out, const std::vector<Item> &items, Append appendItem, const char *separator)
{
    out += '[';
    for (size_t i = 0; i < items.size(); ++i) {
        out += i ? separator : "";
        appendItem(out, items[i]);
    }
    out += ']';
}

void AppendMargin(QByteArray &out, const Margin &margin)
{
    out += "{\"part\": ";
    AppendString(out, margin.part);
    out += ", \"unit\": ";
    AppendString(out, margin.unit);
    out += ", \"nominal\": " + OptionalQuantity(margin.nominal) + ", \"low\": " + OptionalQuantity(margin.low)
        + ", \"high\": " + OptionalQuantity(margin.high) + ", \"warning\": ";
    AppendString(out, margin.warning);
    out += '}';
}

void AppendSensitivity(QByteArray &out, const Sensitivity &part)
{
    out += "{\"part\": ";
    AppendString(out, part.part);
    out += ", \"separation\": " + OptionalQuantity(part.separation) + '}';
}

// One member a line, the margins and the ranked parts one a line.
void AppendTolerance(QByteArray &out, const ToleranceRecord &record)
{
    const auto boolean = [](bool value) { return QByteArray(value ? "true" : "false"); };
    out += "      \"tolerance\": {\n        \"netlist\": ";
    AppendString(out, record.netlist);
    out += ",\n        \"runs\": " + QByteArray::number(record.runs) + ",\n        \"seed\": \""
        + QByteArray::number(qulonglong(record.seed))
        + "\",\n        \"tolerances\": {\"resistor\": " + OptionalQuantity(record.tolerances.resistor)
        + ", \"capacitor\": " + OptionalQuantity(record.tolerances.capacitor)
        + ", \"gainSpread\": " + OptionalQuantity(record.tolerances.gainSpread) + "},\n        \"nominalWorks\": "
        + boolean(record.nominalWorks) + ",\n        \"cancelled\": " + boolean(record.cancelled)
        + ",\n        \"judged\": " + QByteArray::number(record.judged) + ",\n        \"works\": "
        + QByteArray::number(record.works) + ",\n        \"yield\": " + OptionalQuantity(record.yield)
        + ",\n        \"interval\": [" + OptionalQuantity(record.low) + ", " + OptionalQuantity(record.high)
        + "],\n        \"swings\": {\"least\": " + OptionalQuantity(record.swings.least)
        + ", \"largest\": " + OptionalQuantity(record.swings.largest) + ", \"counts\": ";
    AppendList(
        out, record.swings.counts, [](QByteArray &o, int count) { o += QByteArray::number(count); }, ", ");
    out += "},\n        \"margins\": ";
    AppendList(out, record.margins, AppendMargin, ",\n          ");
    out += ",\n        \"sensitivity\": ";
    AppendList(out, record.sensitivity, AppendSensitivity, ",\n          ");
    out += ",\n        \"failed\": " + QByteArray::number(record.failed) + ",\n        \"failures\": ";
    AppendList(out, std::vector<QString>(record.failures.begin(), record.failures.end()), AppendString, ", ");
    out += "\n      }";
}

// Reading: the first fault found, in Russian, for the message that names the file.
class Reader
{
public:
    QString error;

    // The value, which must be of the type: `kind` says which, in the fault.
    const QJsonValue &OfType(const QJsonValue &value, QJsonValue::Type type, const QString &what, const char *kind)
    {
        if (value.type() != type)
            Fail(QStringLiteral("«%1» должно быть %2").arg(what, QString::fromUtf8(kind)));
        return value;
    }

    QJsonObject Object(const QJsonValue &value, const QString &what)
    {
        return OfType(value, QJsonValue::Object, what, "объектом JSON").toObject();
    }

    QString String(const QJsonValue &value, const QString &what)
    {
        return OfType(value, QJsonValue::String, what, "строкой").toString();
    }

    std::vector<std::pair<QString, QString>> Texts(const QJsonValue &value, const QString &what)
    {
        std::vector<std::pair<QString, QString>> texts;
        const QJsonObject object = Object(value, what);
        for (auto it = object.begin(); it != object.end() && ok(); ++it)
            texts.emplace_back(it.key(), String(it.value(), what + QLatin1Char('.') + it.key()));
        return texts;
    }

    double Number(const QJsonValue &value, const QString &what)
    {
        const std::optional<double> number = FromHexFloat(String(value, what));
        if (!number && ok())
            Fail(QStringLiteral("величина «%1» не конечное число двойной точности (%2)").arg(what, value.toString()));
        return number.value_or(0);
    }

    std::vector<std::pair<QString, double>> Quantities(const QJsonValue &value, const QString &what)
    {
        std::vector<std::pair<QString, double>> quantities;
        const QJsonObject object = Object(value, what);
        for (auto it = object.begin(); it != object.end() && ok(); ++it)
            quantities.emplace_back(it.key(), Number(it.value(), what + QLatin1Char('.') + it.key()));
        return quantities;
    }

    std::vector<std::pair<QString, ResultRecord>> Results(const QJsonValue &value, const QString &what)
    {
        std::vector<std::pair<QString, ResultRecord>> results;
        const QJsonObject object = Object(value, what);
        for (auto it = object.begin(); it != object.end() && ok(); ++it) {
            const QString name = what + QLatin1Char('.') + it.key();
            const QJsonObject fields = Object(it.value(), name);
            ResultRecord result;
            result.text = String(fields.value(QLatin1String("text")), name + QStringLiteral(".text"));
            result.unit = String(fields.value(QLatin1String("unit")), name + QStringLiteral(".unit"));
            for (const QJsonValue &number :
                 Array(fields.value(QLatin1String("values")), name + QStringLiteral(".values")))
                result.values.push_back(Number(number, name + QStringLiteral(".values")));
            results.emplace_back(it.key(), std::move(result));
        }
        return results;
    }

    double OptionalNumber(const QJsonValue &value, const QString &what)
    {
        return value.isNull() ? NAN : Number(value, what);
    }

    int Integer(const QJsonValue &value, const QString &what, int least)
    {
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number != std::floor(number) || number < least || number > INT_MAX)
            Fail(QStringLiteral("«%1» должно быть целым числом не меньше %2").arg(what).arg(least));
        return ok() ? int(number) : least;
    }

    bool Boolean(const QJsonValue &value, const QString &what)
    {
        return OfType(value, QJsonValue::Bool, what, "true или false").toBool();
    }

    QJsonArray Array(const QJsonValue &value, const QString &what)
    {
        return OfType(value, QJsonValue::Array, what, "списком").toArray();
    }

    ToleranceRecord Tolerance(const QJsonValue &value, const QString &what)
    {
        const QJsonObject object = Object(value, what);
        const auto field = [&](const char *name) { return object.value(QLatin1String(name)); };
        const auto name = [&](const char *name) { return what + QLatin1Char('.') + QLatin1String(name); };
        ToleranceRecord record;
        record.netlist = String(field("netlist"), name("netlist"));
        static const QRegularExpression digest(QStringLiteral("^[0-9a-f]{64}$"));
        if (ok() && !digest.match(record.netlist).hasMatch())
            Fail(QStringLiteral("«%1» должно быть SHA-256 в шестнадцатеричном виде").arg(name("netlist")));
        record.runs = Integer(field("runs"), name("runs"), 1);
        const QString seed = String(field("seed"), name("seed"));
        static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,20}$"));
        bool fits = false;
        record.seed = seed.toULongLong(&fits);
        if (ok() && (!decimal.match(seed).hasMatch() || !fits))
            Fail(QStringLiteral("«%1» должно быть целым числом от 0 до 2^64 − 1 в кавычках").arg(name("seed")));
        const QJsonObject tolerances = Object(field("tolerances"), name("tolerances"));
        const auto tolerance = [&](const char *key) {
            return Number(tolerances.value(QLatin1String(key)), name("tolerances") + QLatin1Char('.') + key);
        };
        record.tolerances = {tolerance("resistor"), tolerance("capacitor"), tolerance("gainSpread")};
        record.nominalWorks = Boolean(field("nominalWorks"), name("nominalWorks"));
        record.cancelled = Boolean(field("cancelled"), name("cancelled"));
        record.judged = Integer(field("judged"), name("judged"), 0);
        record.works = Integer(field("works"), name("works"), 0);
        if (ok() && record.works > record.judged)
            Fail(QStringLiteral("«%1» больше, чем «%2»").arg(name("works"), name("judged")));
        record.yield = OptionalNumber(field("yield"), name("yield"));
        const QJsonArray interval = Array(field("interval"), name("interval"));
        if (ok() && interval.size() != 2)
            Fail(QStringLiteral("«%1» должно быть списком из двух чисел").arg(name("interval")));
        record.low = OptionalNumber(interval.at(0), name("interval"));
        record.high = OptionalNumber(interval.at(1), name("interval"));
        const QJsonObject swings = Object(field("swings"), name("swings"));
        record.swings.least = OptionalNumber(swings.value(QLatin1String("least")), name("swings") + ".least");
        record.swings.largest = OptionalNumber(swings.value(QLatin1String("largest")), name("swings") + ".largest");
        for (const QJsonValue &count : Array(swings.value(QLatin1String("counts")), name("swings") + ".counts"))
            record.swings.counts.push_back(Integer(count, name("swings") + ".counts", 0));
        for (const QJsonValue &item : Array(field("margins"), name("margins"))) {
            const QJsonObject margin = Object(item, name("margins"));
            const auto member = [&](const char *key) { return margin.value(QLatin1String(key)); };
            const auto memberName = [&](const char *key) { return name("margins") + QLatin1Char('.') + key; };
            record.margins.push_back({.part = String(member("part"), memberName("part")),
                                      .unit = String(member("unit"), memberName("unit")),
                                      .nominal = OptionalNumber(member("nominal"), memberName("nominal")),
                                      .low = OptionalNumber(member("low"), memberName("low")),
                                      .high = OptionalNumber(member("high"), memberName("high")),
                                      .warning = String(member("warning"), memberName("warning"))});
        }
        for (const QJsonValue &item : Array(field("sensitivity"), name("sensitivity"))) {
            const QJsonObject part = Object(item, name("sensitivity"));
            record.sensitivity.push_back(
                {.part = String(part.value(QLatin1String("part")), name("sensitivity") + ".part"),
                 .separation =
                     OptionalNumber(part.value(QLatin1String("separation")), name("sensitivity") + ".separation")});
        }
        record.failed = Integer(field("failed"), name("failed"), 0);
        for (const QJsonValue &failure : Array(field("failures"), name("failures")))
            record.failures << String(failure, name("failures"));
        return record;
    }

    void Fail(const QString &what)
    {
        if (ok())
            error = what;
    }

    bool ok() const { return error.isEmpty(); }
};

} // namespace

QByteArray CalculationToJson(const CalculationRecord &record)
{
    QByteArray out = "{\n  \"format\": \"";
    out += kFormatName;
    const auto any = [&record](auto has) { return std::any_of(record.windows.begin(), record.windows.end(), has); };
    const int version = any([](const WindowRecord &window) { return window.tolerance.has_value(); }) ? kFormatVersion
        : any([](const WindowRecord &window) { return !window.simulation.empty(); }) ? kSimulationFormatVersion
                                                                                     : kPlainFormatVersion;
    out += "\",\n  \"version\": " + QByteArray::number(version) + ",\n  \"decimalMark\": ";
    AppendString(out, QString(QLatin1Char(record.decimalMark)));
    out += ",\n  \"windows\": [";
    for (size_t i = 0; i < record.windows.size(); ++i) {
        const WindowRecord &window = record.windows[i];
        out += i ? ",\n    {\n      \"window\": " : "\n    {\n      \"window\": ";
        AppendString(out, window.window);
        out += ",\n";
        AppendObject(out, "edits", window.edits, AppendString);
        out += ",\n";
        AppendObject(out, "results", window.results, AppendResult);
        out += ",\n";
        AppendObject(out, "quantities", window.quantities, AppendQuantity);
        if (!window.simulation.empty()) {
            out += ",\n";
            AppendObject(out, "simulation", window.simulation, AppendString);
        }
        if (window.tolerance) {
            out += ",\n";
            AppendTolerance(out, *window.tolerance);
        }
        out += "\n    }";
    }
    out += record.windows.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

bool operator==(const ToleranceRecord &a, const ToleranceRecord &b)
{
    QByteArray first, second;
    AppendTolerance(first, a);
    AppendTolerance(second, b);
    return first == second;
}

Outcome<CalculationRecord> CalculationFromJson(const QByteArray &bytes)
{
    const auto fail = [](const QString &what) { return Failure{what}; };
    if (bytes.isEmpty())
        return fail(QStringLiteral("файл пуст"));
    if (bytes.size() > kLargestCalculationFile)
        return fail(QStringLiteral("файл больше %1 байт").arg(kLargestCalculationFile));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(bytes); // decoding is what finds the fault
    if (utf8.hasError())
        return fail(QStringLiteral("текст файла не в кодировке UTF-8"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("файл повреждён или обрезан: ошибка JSON у байта %1 (%2)")
                        .arg(parseError.offset)
                        .arg(JsonErrorText(parseError.error)));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")) != QLatin1String(kFormatName))
        return fail(QStringLiteral("это не файл расчёта Ортикс-Т"));
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) || version.toDouble() < 1)
        return fail(QStringLiteral("неизвестная версия формата"));
    if (version.toDouble() > kFormatVersion)
        return fail(QStringLiteral("файл записан более новой версией программы (версия формата %1, эта программа "
                                   "читает версию %2)")
                        .arg(version.toDouble())
                        .arg(kFormatVersion));

    Reader read;
    CalculationRecord record;
    const QString mark = read.String(root.value(QLatin1String("decimalMark")), QStringLiteral("decimalMark"));
    if (read.ok() && mark != QLatin1String(",") && mark != QLatin1String("."))
        read.Fail(QStringLiteral("«decimalMark» должен быть «,» или «.»"));
    record.decimalMark = mark == QLatin1String(",") ? ',' : '.';
    const QJsonValue windows = root.value(QLatin1String("windows"));
    if (!windows.isArray() || windows.toArray().isEmpty())
        read.Fail(QStringLiteral("«windows» должно быть непустым списком окон"));
    for (const QJsonValue &value : windows.toArray()) {
        if (!read.ok())
            break;
        const QJsonObject object = read.Object(value, QStringLiteral("windows"));
        WindowRecord window;
        window.window = read.String(object.value(QLatin1String("window")), QStringLiteral("window"));
        window.edits = read.Texts(object.value(QLatin1String("edits")), window.window + QStringLiteral(".edits"));
        window.results =
            read.Results(object.value(QLatin1String("results")), window.window + QStringLiteral(".results"));
        window.quantities =
            read.Quantities(object.value(QLatin1String("quantities")), window.window + QStringLiteral(".quantities"));
        if (object.contains(QLatin1String("simulation")))
            window.simulation =
                read.Texts(object.value(QLatin1String("simulation")), window.window + QStringLiteral(".simulation"));
        if (object.contains(QLatin1String("tolerance")))
            window.tolerance =
                read.Tolerance(object.value(QLatin1String("tolerance")), window.window + QStringLiteral(".tolerance"));
        record.windows.push_back(std::move(window));
    }
    if (!read.ok())
        return fail(read.error);
    return record;
}
