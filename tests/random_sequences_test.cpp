// Random typing and clicking over all the program's windows, judged only by what holds whatever a window
// computes. The seed is fixed; ORTIX_SEED replays another, ORTIX_ACTIONS sets the actions a window.
#include "app/form1.h"
#include "calculators/registry.h"
#include "simulation/simulation.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <iostream>
#include <iterator>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>

namespace {

constexpr std::uint64_t kDefaultSeed = 20240514;
constexpr long kDefaultActions = 3000;

long EnvironmentNumber(const char *name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

// The x87 settings every formula relies on; no action may leave them changed.
unsigned X87ControlWord()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned short word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
#else
    return 0;
#endif
}

int NumberInName(const QString &name, const QString &prefix)
{
    return name.mid(prefix.size()).toInt();
}

// The controls of one window, found by their names, in the order of their numbers.
template <class Control>
std::vector<Control *> Numbered(QWidget *window, const QString &prefix)
{
    const QRegularExpression pattern(QStringLiteral("^%1[1-9][0-9]*$").arg(prefix));
    std::vector<Control *> controls;
    for (Control *control : window->findChildren<Control *>(pattern))
        controls.push_back(control);
    std::sort(controls.begin(), controls.end(), [&prefix](const Control *a, const Control *b) {
        return NumberInName(a->objectName(), prefix) < NumberInName(b->objectName(), prefix);
    });
    return controls;
}

struct Window
{
    QWidget *form = nullptr;
    std::vector<QLineEdit *> edits;
    std::vector<QAbstractButton *> buttons;
    std::vector<QLabel *> labels;
    std::deque<std::string> history; // its latest actions: no value passes from one window to another
};

using Snapshot = std::vector<QString>; // every label's text, window after window

// Zeros of every spelling: "-," and "-0" are negative zeros.
const char *const kZeros[] = {"0",  "-0", "+0",  "0,0", "-0,0", ",",       "-,",       "+,",
                              "0,", ",0", "000", "0E0", "-0E5", "0e-4999", "-0E99999", "0,000000000000000000001"};
const char *const kBlanks[] = {"", " ", "   ", "          "};
// Near misses and oddities: words a number printer might use, signs and exponents in the wrong places,
// magnitudes at the edges of the extended and double ranges, format directives, quotes, Latin-1 look-alikes.
const char *const kOddTexts[] = {"INF",     "-INF",      "NAN",    "inf",     "nan",   "1E",     "1E-",   "E3",
                                 "e",       "--5",       "+-5",    "-+5",     "0x10",  "1 000",  "1,2,3", "5 E3",
                                 "1E5000",  "1E4933",    "1E4932", "-1E4932", "1E400", "1E-400", "1E308", "1,8E308",
                                 "1E-4999", "1E0000005", "1,5e+2", "1E+",     "1e3e3", "%s",     "%1",    "%n",
                                 "%%",      "'",         "''",     "'1'",     "\\n",   "1;2",    "12,5 ", " 12 ",
                                 "\24012",  "12\240",    "1\262",  "\275",    "\2655"};
// What a Russian keyboard adds: units typed after the number, Cyrillic look-alikes of digits and of E.
const char *const kCyrillic[] = {"10 В", "5 мА", "1,5 кОм", "2,2 пФ", "О", "З", "1Е3", "50 С"};
// Rich text that must show as typed wherever a text quotes it.
const char *const kMarkup[] = {"<b>1</b>",
                               "<i>2,5</i>",
                               "<br>",
                               "1<br>2",
                               "&nbsp;",
                               "&amp;",
                               "&lt;1&gt;",
                               "&#48;",
                               "<b>",
                               "<a href=\"x\">1</a>",
                               "<img src=\"x\">",
                               "<p>3</p>",
                               "<!-- 1 -->",
                               "<table><tr><td>1</td></tr></table>",
                               "<span style=\"font-size:99px\">7</span>"};
// Garbage draws from these; digits, marks and signs weigh more, so that it often comes near a number.
const char kGarbage[] = "abcxyzEeABCXYZ0123456789012345678901234567890123456789,,,,....----++++    "
                        "!\"#$%&'()*/:;<=>?@[\\]^_`{|}~\xa0\xb0\xb1\xb2\xb5\xbd\xc4\xd7\xc9\xff";

// Texts a user might type: numbers of every size in both notations and with either mark, zeros, blanks,
// garbage, Cyrillic, markup and texts of thousands of characters.
class TextMaker
{
public:
    explicit TextMaker(std::mt19937_64 &random) : random_(random) {}

    QString Any()
    {
        switch (Below(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            return Plausible();
        case 5:
            return Blanks(1 + Below(3)) + Plausible() + Blanks(Below(3));
        case 6:
        case 7:
        case 8:
            return Number();
        case 9:
        case 10:
            return Spoiled(Number());
        case 11:
            return Pick(kZeros);
        case 12:
            return Pick(kBlanks);
        case 13:
        case 14:
            return Garbage(1 + Below(12));
        case 15:
            return Pick(kOddTexts);
        case 16:
            return QString::fromUtf8(kCyrillic[Below(std::size(kCyrillic))]);
        case 17:
            return Pick(kMarkup);
        default:
            return Long();
        }
    }

    // A value a calculation might well be given: mostly between 0.1 and 100000, written with ','.
    QString Plausible()
    {
        const double value = std::pow(10.0, std::uniform_real_distribution<double>(-1, 5)(random_));
        QString text = QString::number(value, 'g', 1 + Below(3));
        if (text.contains(QLatin1Char('e')))
            text = QString::number(value, 'f', 0);
        return text.replace(QLatin1Char('.'), QLatin1Char(','));
    }

private:
    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

    template <std::size_t N>
    QString Pick(const char *const (&texts)[N])
    {
        return QString::fromLatin1(texts[Below(N)]);
    }

    QString Blanks(std::size_t count) { return QString(qsizetype(count), QLatin1Char(' ')); }

    QString Digits(std::size_t count)
    {
        QString digits;
        for (std::size_t i = 0; i < count; ++i)
            digits += QChar(char16_t(u'0' + Below(10)));
        return digits;
    }

    // Any decimal text: up to 20 digits before and after the mark, any exponent up to 9999.
    QString Number()
    {
        static const char *const kSigns[] = {"", "", "", "-", "+"};
        QString text = Pick(kSigns);
        text += Digits(Below(21));
        if (Below(2))
            text += (Below(6) ? QLatin1Char(',') : QLatin1Char('.')) + Digits(Below(21));
        if (text.isEmpty() || text.back() == QLatin1Char('-') || text.back() == QLatin1Char('+'))
            text += Digits(1 + Below(3));
        if (Below(2)) {
            static const char *const kExponents[] = {"E", "e", "E+", "E-", "e-"};
            text += Pick(kExponents) + QString::number(Below(3) ? Below(400) : Below(10000));
        }
        return text;
    }

    QString Garbage(std::size_t length)
    {
        QString text;
        for (std::size_t i = 0; i < length; ++i)
            text += QLatin1Char(kGarbage[Below(sizeof kGarbage - 1)]);
        return text;
    }

    // A number with something before, inside or after it that a number does not hold.
    QString Spoiled(QString text)
    {
        const QString extra = Garbage(1 + Below(3));
        text.insert(qsizetype(Below(std::size_t(text.size()) + 1)), extra);
        return text;
    }

    QString Long()
    {
        // Some short enough to be typed key by key, most pasted.
        const std::size_t length = Below(4) ? 400 + Below(3600) : 100 + Below(300);
        switch (Below(7)) {
        case 0:
            return Digits(length);
        case 1:
            return QStringLiteral("0,") + QString(qsizetype(length), QLatin1Char('0')) + QLatin1Char('1');
        case 2:
            return Blanks(length / 2) + Plausible() + Blanks(length / 2);
        case 3:
            return Digits(length / 2) + QLatin1Char(',') + Digits(length / 2) + QStringLiteral("E-") + Digits(3);
        case 4:
            return QStringLiteral("<b>") + Garbage(length) + QStringLiteral("</b>");
        case 5:
            return Digits(4900 + Below(60)); // about where the integer leaves the extended range
        default:
            return Garbage(length);
        }
    }

    std::mt19937_64 &random_;
};

// Longer texts are pasted, as a user would bring them in: key by key, each costs time that grows with
// the square of its length.
constexpr qsizetype kLongestTyped = 400;

// Replaces the edit box's text with the clipboard's: select all, then Ctrl+V.
void Paste(QLineEdit *edit, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

QString Shown(const QString &text)
{
    constexpr qsizetype kShown = 60;
    if (text.size() <= kShown)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QLatin1Char('"') + text.left(kShown) + QStringLiteral("...\" (") + QString::number(text.size())
        + QStringLiteral(" characters)");
}

// A number printed as a bare negative zero: "-0" that is no part of a word and not followed by a mark or a
// further digit.
bool ShowsNegativeZero(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("(?<!\\w)-0(?![\\d,])"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    return pattern.match(text).hasMatch();
}

const QString kConversionSuffix = QStringLiteral("' is not a valid floating point value.");
const QStringList kMathReports = {QStringLiteral("Floating point division by zero."),
                                  QStringLiteral("Invalid floating point operation."),
                                  QStringLiteral("Floating point overflow.")};

class RandomSequences : public ::testing::Test
{
protected:
    void SetUp() override
    {
        seed_ = std::uint64_t(EnvironmentNumber("ORTIX_SEED", long(kDefaultSeed)));
        actions_ = EnvironmentNumber("ORTIX_ACTIONS", kDefaultActions);
        random_.seed(seed_);
        std::cout << "ORTIX_SEED=" << seed_ << " ORTIX_ACTIONS=" << actions_ << std::endl;

        // Every window of the program, as it creates them: a calculator added is played with too.
        std::vector<QWidget *> forms = {Form1};
        for (const CalculatorRow &row : CalculatorRows())
            forms.push_back(row.windowClass.program());
        for (QWidget *form : forms) {
            Window window;
            window.form = form;
            window.edits = Numbered<QLineEdit>(form, QStringLiteral("Edit"));
            window.buttons = Numbered<QAbstractButton>(form, QStringLiteral("Button"));
            for (QLabel *label : form->findChildren<QLabel *>())
                window.labels.push_back(label);
            windows_.push_back(window);
            form->show();
        }
        controlWord_ = X87ControlWord();
    }

    void TearDown() override
    {
        for (const Window &window : windows_)
            window.form->hide();
    }

    Snapshot Labels() const
    {
        Snapshot texts;
        for (const Window &window : windows_)
            for (const QLabel *label : window.labels)
                texts.push_back(label->text());
        return texts;
    }

    // Records the failure with the acting window's latest actions and boxes; the run stops at the first one.
    void Fail(const std::string &what)
    {
        const Window &window = windows_[acting_];
        std::string story;
        for (const std::string &action : window.history)
            story.append("\n  ").append(action);
        QString boxes;
        for (const QLineEdit *edit : window.edits)
            boxes += QLatin1Char(' ') + edit->objectName() + QLatin1Char('=') + Shown(edit->text());
        ADD_FAILURE() << what << "\nwith ORTIX_SEED=" << seed_ << " ORTIX_ACTIONS=" << actions_ << ", action "
                      << actionCount_ << "; " << window.form->objectName().toStdString() << " after:" << story
                      << "\nits boxes:" << boxes.toStdString();
        failed_ = true;
    }

    void Log(std::size_t w, const QString &action)
    {
        constexpr std::size_t kRecent = 40;
        ++actionCount_;
        acting_ = w;
        std::deque<std::string> &history = windows_[w].history;
        history.push_back(std::to_string(actionCount_) + ": " + action.toStdString());
        if (history.size() > kRecent)
            history.pop_front();
    }

    void TypeInto(std::size_t w, QLineEdit *edit, const QString &text)
    {
        Log(w, QStringLiteral("type ") + Shown(text) + QStringLiteral(" into ") + edit->objectName());
        const Snapshot before = Labels();
        try {
            if (text.size() > kLongestTyped)
                Paste(edit, text);
            else
                Type(edit, text);
        } catch (...) {
            return Fail("an exception left the event loop while typing");
        }
        if (edit->text() != text)
            return Fail(edit->objectName().toStdString() + " shows " + Shown(edit->text()).toStdString());
        if (Labels() != before)
            return Fail("typing changed a label");
        CheckControlWord();
    }

    void Press(std::size_t windowIndex, std::size_t buttonIndex, bool learning)
    {
        const Window &window = windows_[windowIndex];
        QAbstractButton *button = window.buttons[buttonIndex];
        Log(windowIndex, QStringLiteral("click ") + button->objectName());
        const Snapshot before = Labels();
        std::vector<MessageBoxSeen> reports;
        try {
            reports = ClickAndCollect(button);
        } catch (...) {
            return Fail("an exception left the event loop on the click");
        }
        const Snapshot after = Labels();
        CheckReports(window, reports);
        if (failed_)
            return;

        std::set<const QLabel *> &writes = writes_[button];
        std::size_t at = 0;
        for (const Window &other : windows_) {
            for (const QLabel *label : other.labels) {
                const QString &text = after[at];
                if (text == before[at++])
                    continue;
                const std::string name = other.form->objectName().toStdString() + " "
                    + label->objectName().toStdString() + " " + Shown(text).toStdString();
                if (other.form != window.form)
                    return Fail("the click changed another window's label: " + name);
                if (text.contains(QLatin1String("INF")) || text.contains(QLatin1String("NAN")))
                    return Fail("a label shows an infinity or a NaN: " + name);
                if (ShowsNegativeZero(text))
                    return Fail("a label shows a negative zero: " + name);
                if (learning)
                    writes.insert(label);
                else if (!writes.count(label))
                    return Fail("the step changed a label it never wrote before: " + name);
            }
        }
        CheckControlWord();
    }

    void CheckReports(const Window &window, const std::vector<MessageBoxSeen> &reports)
    {
        if (reports.size() > 1)
            return Fail("one click gave " + std::to_string(reports.size()) + " reports, the first "
                        + Shown(reports[0].text).toStdString() + ", the second "
                        + Shown(reports[1].text).toStdString());
        if (reports.empty())
            return;
        const MessageBoxSeen &report = reports[0];
        const std::string shown = Shown(report.text).toStdString();
        if (report.title != QLatin1String("Ortix-T") || report.icon != QMessageBox::Critical || !report.plainText
            || report.buttons != QMessageBox::StandardButtons(QMessageBox::Ok)
            || report.modality != Qt::ApplicationModal)
            return Fail("the report " + shown + " is not the program's modal critical box with its one OK button");
        if (kMathReports.contains(report.text)) {
            ++mathReports_;
            return;
        }
        if (!report.text.startsWith(QLatin1Char('\'')) || !report.text.endsWith(kConversionSuffix))
            return Fail("the report " + shown + " is no fault a step raises");
        const QString quoted = report.text.mid(1, report.text.size() - 1 - kConversionSuffix.size());
        ++conversionReports_;
        for (const QLineEdit *edit : window.edits)
            if (edit->text() == quoted)
                return;
        Fail("the report " + shown + " quotes no edit box of its window");
    }

    void CheckControlWord()
    {
        if (X87ControlWord() != controlWord_)
            Fail("the x87 control word changed from " + std::to_string(controlWord_) + " to "
                 + std::to_string(X87ControlWord()));
    }

    // Gives every box of every window a plausible number and runs the steps in order, again and again,
    // so that each step runs to its end with many different values.
    void PlausibleRuns(int rounds, TextMaker &texts)
    {
        for (int round = 0; round < rounds && !failed_; ++round) {
            for (std::size_t w = 0; w < windows_.size() && !failed_; ++w) {
                for (QLineEdit *edit : windows_[w].edits)
                    if (!failed_)
                        TypeInto(w, edit, texts.Plausible());
                for (std::size_t b = 0; b < windows_[w].buttons.size() && !failed_; ++b)
                    Press(w, b, true);
                if (round == 0 && !failed_)
                    SimulateBetweenSteps(w);
            }
        }
    }

    // Whatever the simulation of what the window holds gives, in-process on this thread, the steps go on with
    // the same x87 settings and labels. A run longer than a second is halted: only its return matters here.
    void SimulateBetweenSteps(std::size_t w)
    {
        // An ngspice that ends itself is unloaded and loaded afresh; a leak checker can then no longer tell
        // the unloaded library's own leaks from the program's, so the sanitizers' run leaves this out.
        if (!CanSimulate(windows_[w].form) || qEnvironmentVariable("ORTIX_SIMULATE_BETWEEN_STEPS") == u"0")
            return;
        Log(w, QStringLiteral("simulate"));
        const Snapshot before = Labels();
        std::atomic_bool cancel = false;
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        std::thread halt([&] {
            std::unique_lock lock(mutex);
            if (!finished.wait_for(lock, std::chrono::seconds(1), [&] { return done; }))
                cancel = true;
        });
        SimulationReport report;
        (void)Simulate(windows_[w].form, &report, {.cancel = &cancel});
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        finished.notify_one();
        halt.join();
        if (Labels() != before)
            return Fail("the simulation changed a label");
        CheckControlWord();
    }

    // Random boxes get random texts and random buttons are pressed, in random windows.
    void RandomActions(long count, TextMaker &texts, bool learning)
    {
        std::vector<std::size_t> active;
        for (std::size_t w = 0; w < windows_.size(); ++w)
            if (!windows_[w].buttons.empty() || !windows_[w].edits.empty())
                active.push_back(w);
        auto below = [this](std::size_t bound) {
            return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
        };
        for (long i = 0; i < count * long(active.size()) && !failed_; ++i) {
            const std::size_t w = active[below(active.size())];
            const Window &window = windows_[w];
            const bool type = window.buttons.empty() || (!window.edits.empty() && below(2));
            if (type)
                TypeInto(w, window.edits[below(window.edits.size())], texts.Any());
            else
                Press(w, below(window.buttons.size()), learning);
        }
    }

    std::uint64_t seed_ = 0;
    long actions_ = 0;
    std::mt19937_64 random_;
    std::vector<Window> windows_;
    unsigned controlWord_ = 0;
    std::map<const QAbstractButton *, std::set<const QLabel *>> writes_; // what each step has changed
    std::size_t acting_ = 0;
    long actionCount_ = 0;
    long mathReports_ = 0;
    long conversionReports_ = 0;
    bool failed_ = false;
};

// Learns which labels each step changes, then holds every step to them; everything else is checked
// throughout.
TEST_F(RandomSequences, KeepWhatHoldsWhateverTheWindowsCompute)
{
    TextMaker texts(random_);
    PlausibleRuns(20, texts);
    RandomActions(actions_ / 3, texts, true);
    RandomActions(actions_ - actions_ / 3, texts, false);

    std::size_t learned = 0;
    for (const auto &[button, labels] : writes_)
        learned += labels.size();
    std::cout << actionCount_ << " actions; " << conversionReports_ << " texts and " << mathReports_
              << " arithmetic faults reported; " << learned << " labels that steps write" << std::endl;
}

TEST(RandomSequencesJudge, KnowsANegativeZeroWhenItSeesOne)
{
    const struct
    {
        const char *text;
        bool negativeZero;
    } kRows[] = {{"-0", true},      {"-0 В", true},    {"0...-0 В", true},    {"-0...5 B", true},
                 {"0 В", false},    {"-0,5 В", false}, {"-0,0001 мА", false}, {"-05", false},
                 {"-10 Ом", false}, {"1E-0", false},   {"Rк-0 В", false},     {"", false}};
    for (const auto &row : kRows)
        EXPECT_EQ(ShowsNegativeZero(QString::fromUtf8(row.text)), row.negativeZero) << row.text;
}

} // namespace
