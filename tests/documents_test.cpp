// Calculation files: what cannot be opened is said, naming the file, and changes nothing; what cannot be
// saved leaves the old file whole.
#include "calculators/complementary/form5.h"
#include "calculators/same_type/form4.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "app/menus.h"
#include "documents/calculation_document.h"
#include "documents/recent_files.h"
#include "documents/window_records.h"
#include "number_text/decimal_mark.h"
#include "window_look/control_kinds.h"
#include "window/save_dialog.h"
#include "tests/support/window_driver.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QFileDialog>
#include <QApplication>

#include <unistd.h>

namespace {

// Root reads and writes whatever it likes: the unreadable and the read-only are tried as nobody.
template <class Action>
auto AsNobody(Action action)
{
    const uid_t user = geteuid();
    if (user == 0 && seteuid(65534) != 0)
        ADD_FAILURE() << "cannot become nobody";
    auto result = action();
    if (user == 0 && seteuid(0) != 0)
        ADD_FAILURE() << "cannot become root again";
    return result;
}

QByteArray Form2File()
{
    return CalculationToJson(TCalculationDocument::Of(Form2)->Record());
}

QByteArray Replaced(QByteArray bytes, const char *from, const char *to)
{
    return bytes.replace(from, to);
}

QByteArray WithUki(const QByteArray &bytes, const char *value)
{
    return QString::fromUtf8(bytes)
        .replace(QRegularExpression(QStringLiteral("\"Uki\": \"[^\"]*\"")),
                 QStringLiteral("\"Uki\": %1").arg(QString::fromUtf8(value)))
        .toUtf8();
}

class CalculationFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkdir(QStringLiteral("folder.ortix"));
        Type(Find<QLineEdit>(Form2, "Edit1"), QStringLiteral("10"));
    }

    QString Write(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};

TEST_F(CalculationFiles, WhatCannotBeOpenedIsSaidAndChangesNothing)
{
    const QByteArray good = Form2File();
    const struct
    {
        const char *name;
        QByteArray bytes; // empty for a path that is not written
        const char *said;
    } kFiles[] = {
        {"not-json.ortix", "hello", "ошибка JSON"},
        {"truncated.ortix", good.left(good.size() / 2), "ошибка JSON"},
        {"empty.ortix", QByteArray(""), "файл пуст"},
        {"not-ours.ortix", R"({"format": "something else", "version": 1})", "не файл расчёта"},
        {"newer.ortix", Replaced(good, "\"version\": 1", "\"version\": 4"), "более новой версией"},
        {"older.ortix", Replaced(good, "\"version\": 1", "\"version\": 0"), "неизвестная версия"},
        {"too-long.ortix", Replaced(good, "\"Edit1\": \"10\"", "\"Edit1\": \"" + QByteArray(40000, '1') + "\""),
         "длиннее"},
        {"wrong-type.ortix", Replaced(good, "\"edits\": {", "\"edits\": [{"), "ошибка JSON"},
        {"text-as-number.ortix", Replaced(good, "\"Edit1\": \"10\"", "\"Edit1\": 10"), "должно быть строкой"},
        {"unknown-name.ortix", Replaced(good, "\"Edit1\":", "\"Edit99\": \"\", \"Edit1\":"), "Edit99"},
        {"missing-name.ortix", Replaced(good, "\"Edit1\": \"10\",", ""), "Edit1"},
        {"unknown-window.ortix", Replaced(good, "\"Form2\"", "\"Form9\""), "Form9"},
        {"infinite.ortix", WithUki(good, "\"inf\""), "не конечное число"},
        {"decimal.ortix", WithUki(good, "\"0.5\""), "не конечное число"},
        {"number.ortix", WithUki(good, "0.5"), "должно быть строкой"},
        {"latin1.ortix", Replaced(good, "\"Edit1\": \"10\"", "\"Edit1\": \"1\xff\""), "UTF-8"},
        {"huge.ortix", good + QByteArray(1024 * 1024, ' '), "больше"},
        {"missing.ortix", {}, "такого файла нет"},
        {"mark-digit.ortix", Replaced(good, "\"decimalMark\": \",\"", "\"decimalMark\": \"1\""), "decimalMark"},
        {"mark-empty.ortix", Replaced(good, "\"decimalMark\": \",\"", "\"decimalMark\": \"\""), "decimalMark"},
        {"mark-two.ortix", Replaced(good, "\"decimalMark\": \",\"", "\"decimalMark\": \",,\""), "decimalMark"},
        {"folder.ortix", {}, "папка"},
    };
    const QByteArray before = Form2File();
    for (const auto &file : kFiles) {
        const QString path = file.bytes.isNull() ? folder.filePath(QString::fromLatin1(file.name))
                                                 : Write(QString::fromLatin1(file.name), file.bytes);
        Outcome<> opened;
        // A file that opened would first ask about Form2's unsaved changes: that question is cancelled.
        EXPECT_TRUE(CollectMessageBoxes([&] { opened = OpenCalculation(path); }).empty());
        EXPECT_TRUE(opened.Failed()) << file.name;
        const QString error = opened.Message();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(file.said))) << file.name << ": " << error.toStdString();
        EXPECT_EQ(Form2File(), before) << file.name;
    }
    // A file of Form5's calculation holds Form6 too.
    const QByteArray form5 = CalculationToJson(TCalculationDocument::Of(Form5)->Record());
    const qsizetype form6 = form5.indexOf(",\n    {\n      \"window\": \"Form6\"");
    const Outcome<> alone = OpenCalculation(Write(QStringLiteral("alone.ortix"), form5.left(form6) + "\n  ]\n}\n"));
    EXPECT_TRUE(alone.Message().contains(QStringLiteral("окон вместо"))) << alone.Message().toStdString();

    const QString unreadable = Write(QStringLiteral("unreadable.ortix"), good);
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    const Outcome<> refused = AsNobody([&] { return OpenCalculation(unreadable); });
    EXPECT_TRUE(refused.Message().contains(QDir::toNativeSeparators(unreadable))) << refused.Message().toStdString();
}

TEST_F(CalculationFiles, ASaveThatFailsLeavesTheOldFileWholeAndTheWindowUnsaved)
{
    TCalculationDocument *document = TCalculationDocument::Of(Form2);
    const QString path = Write(QStringLiteral("kept.ortix"), "the old file");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    Type(Find<QLineEdit>(Form2, "Edit1"), QStringLiteral("11"));
    const Outcome<> saved = AsNobody([&] { return document->SaveTo(path); });
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(saved.Failed());
    EXPECT_TRUE(saved.Message().contains(QDir::toNativeSeparators(path))) << saved.Message().toStdString();
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old file"));
    EXPECT_TRUE(document->IsModified());
    EXPECT_NE(document->FilePath(), path);
}

// The file menu as a user meets it: what fails is shown in one message box, a dialog closed or a question
// cancelled shows nothing more, and none of them changes the calculation.
TEST_F(CalculationFiles, FailuresAreShownAndCancelsAreNot)
{
    TCalculationDocument *document = TCalculationDocument::Of(Form4);
    Form4->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form4));
    const QString other = folder.filePath(QStringLiteral("other.ortix"));
    ASSERT_TRUE(document->SaveTo(other));
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(other, readable);
    ASSERT_TRUE(document->SaveTo(folder.filePath(QStringLiteral("kept.ortix"))));
    auto *edit = Find<QLineEdit>(Form4, "Edit1");
    Type(edit, QStringLiteral("12"));
    const auto menu = [](const char *text) {
        return [text] { MenuAction(Form4, QString::fromUtf8(text))->trigger(); };
    };
    const auto opening = [&] { OpenCalculationReporting(other, Form4); };
    const char *kAsked = "Сохранить изменения", *kNotSaved = "Не удалось сохранить расчёт в";
    const struct
    {
        const char *what;
        std::function<void()> act;
        const char *answer;
        std::vector<const char *> boxes; // the beginning of each message box's text
    } kRows[] = {
        {"saved into a read-only folder", menu("&Сохранить"), "", {kNotSaved}},
        {"«Сохранить как…» closed", menu("Сохранить &как…"), "", {}},
        {"a new calculation, saving first", menu("&Новый расчёт"), "&Сохранить", {kAsked, kNotSaved}},
        {"a new calculation cancelled", menu("&Новый расчёт"), "Отмена", {kAsked}},
        {"a file opened, its question cancelled", opening, "Отмена", {kAsked}},
        {"a file opened, saving first", opening, "&Сохранить", {kAsked, kNotSaved}},
    };
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    user.start(1);
    QFile::setPermissions(folder.path(), readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    for (const auto &row : kRows) {
        SCOPED_TRACE(row.what);
        const std::vector<MessageBoxSeen> seen =
            AsNobody([&] { return CollectMessageBoxes(row.act, QString::fromUtf8(row.answer)); });
        ASSERT_EQ(seen.size(), row.boxes.size());
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_TRUE(seen[i].text.startsWith(QString::fromUtf8(row.boxes[i]))) << seen[i].text.toStdString();
        EXPECT_EQ(edit->text(), QStringLiteral("12"));
        EXPECT_TRUE(document->IsModified());
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(document->Save());
    EXPECT_TRUE(document->NewCalculation()); // untitled and unchanged, as the other tests find it
    Form4->hide();
}

// Opened under the other decimal mark, a number typed with the file's mark reads in the current one.
TEST(CalculationFile, NumbersFollowTheCurrentDecimalMark)
{
    const struct
    {
        const char *typed, *shown;
    } kTexts[] = {{"12,5", "12.5"}, {"1,5E-3", "1.5E-3"}, {"12.5", "12.5"}, {"a,b", "a,b"}, {"", ""}};
    WindowRecord record = RecordOf(Form2);
    for (const auto &text : kTexts) {
        record.edits.front().second = QString::fromUtf8(text.typed);
        DecimalMark = '.';
        Restore(Form2, record, ',');
        DecimalMark = ',';
        EXPECT_EQ(Form2->findChild<QLineEdit *>(record.edits.front().first)->text(), QString::fromUtf8(text.shown));
    }
}

// A calculation opened under the other decimal mark shows every box and result in the current mark alone,
// with the same digits; saved and opened again under the first mark, it is what it was.
TEST(CalculationFile, OpenedUnderTheOtherMarkAWindowShowsOneMark)
{
    const Outcome<> first = OpenCalculation(QStringLiteral(ORTIX_TEST_CALCULATIONS "/form3-full-run.ortix"));
    ASSERT_TRUE(first) << first.Message().toStdString();
    const auto texts = [] {
        QStringList texts;
        for (const QLineEdit *edit : Form3->findChildren<QLineEdit *>())
            texts << edit->text();
        for (const QLabel *label : Form3->findChildren<QLabel *>()) {
            if (IsResultLabel(label))
                texts << label->text();
        }
        return texts;
    };
    const QStringList comma = texts();
    const QRegularExpression commaNumber(QStringLiteral("\\d,\\d"));
    ASSERT_TRUE(comma.join(QLatin1Char(' ')).contains(commaNumber));
    QTemporaryDir folder;
    const QString dotted = folder.filePath(QStringLiteral("dotted.ortix"));

    DecimalMark = '.';
    const Outcome<> opened = OpenCalculation(QStringLiteral(ORTIX_TEST_CALCULATIONS "/form3-full-run.ortix"));
    const QStringList dot = texts();
    const Outcome<> saved = TCalculationDocument::Of(Form3)->SaveTo(dotted);
    DecimalMark = ',';
    ASSERT_TRUE(opened && saved) << opened.Message().toStdString() << saved.Message().toStdString();
    for (qsizetype i = 0; i < comma.size(); ++i) {
        EXPECT_FALSE(dot[i].contains(commaNumber)) << dot[i].toStdString();
        EXPECT_EQ(
            dot[i],
            QString(comma[i]).replace(QRegularExpression(QStringLiteral("(\\d),(\\d)")), QStringLiteral("\\1.\\2")));
    }
    const Outcome<> again = OpenCalculation(dotted);
    ASSERT_TRUE(again) << again.Message().toStdString();
    EXPECT_EQ(texts(), comma);
}

// «Параметры моделирования» travel with the file, which then needs a program that reads them; a file without them
// stays as every earlier program wrote it, and opens with the defaults. A window the calculator owns is no part of it.
TEST(CalculationFile, SimulationParametersTravelWithTheFile)
{
    auto *owned = new QWidget(Form2, Qt::Window);
    (new QLineEdit(owned))->setObjectName(QStringLiteral("Stray"));
    const struct
    {
        QVariantMap typed;
        const char *version;
    } kRows[] = {{{{QStringLiteral("Cp"), QStringLiteral("4700")}}, "\"version\": 2"}, {{}, "\"version\": 1"}};
    for (const auto &row : kRows) {
        Form2->SetSimulationParameters(row.typed);
        const CalculationRecord record = TCalculationDocument::Of(Form2)->Record();
        const QByteArray bytes = CalculationToJson(record);
        EXPECT_TRUE(bytes.contains(row.version)) << bytes.constData();
        EXPECT_FALSE(bytes.contains("Stray"));
        const Outcome<CalculationRecord> read = CalculationFromJson(bytes);
        ASSERT_TRUE(read) << read.Message().toStdString();
        Form2->SetSimulationParameters({{QStringLiteral("Cp"), QStringLiteral("1")}});
        Restore(Form2, read->windows.front(), read->decimalMark);
        EXPECT_EQ(row.typed, Form2->SimulationParameters());
    }
    delete owned;
}

} // namespace

namespace {

// A file given on the command line that cannot be opened is said over the main menu, and the next file
// still opens; a saved or opened file heads the recent list.
TEST_F(CalculationFiles, CommandLineFilesOpenOrAreSaidAndJoinTheRecentList)
{
    const QString saved = folder.filePath(QStringLiteral("saved.ortix"));
    ASSERT_TRUE(TCalculationDocument::Of(Form2)->SaveTo(saved));
    EXPECT_EQ(RecentCalculations().value(0), saved);
    const QString missing = folder.filePath(QStringLiteral("missing.ortix"));
    const std::vector<MessageBoxSeen> seen = CollectMessageBoxes([&] {
        OpenFromCommandLine({missing, saved});
        QTest::qWait(100);
    });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].text.contains(QDir::toNativeSeparators(missing))) << seen[0].text.toStdString();
    EXPECT_EQ(TCalculationDocument::Of(Form2)->FilePath(), saved);
}

// A name typed without an extension is asked about under the name it will be written as.
TEST_F(CalculationFiles, ReplacingAFileTypedWithoutItsExtensionIsAsked)
{
    Write(QStringLiteral("calc.ortix"), "the old file");
    QTimer user;
    bool typed = false;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (typed) // the question was answered «No»: the dialog waits for another name
            return dialog->reject();
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        typed = true;
        Type(name, QStringLiteral("calc"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    user.start(1);
    const std::vector<MessageBoxSeen> seen = CollectMessageBoxes([&] {
        EXPECT_TRUE(AskSavePath(Form2, QStringLiteral("Сохранить расчёт"), folder.filePath(QStringLiteral("new.ortix")),
                                {CalculationFilter()})
                        .IsCancelled());
    });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].text.contains(QStringLiteral("calc.ortix"))) << seen[0].text.toStdString();
}

// Untitled, a window keeps its designed caption; with a file it shows the file, marked while changed; a
// new calculation over unsaved changes asks first, and a cancelled question changes nothing.
TEST_F(CalculationFiles, TitlesShowTheFileAndUnsavedChangesAreAskedAbout)
{
    TCalculationDocument *document = TCalculationDocument::Of(Form4);
    const QString designed = Form4->windowTitle();
    ASSERT_TRUE(document->FilePath().isEmpty());
    auto *edit = Find<QLineEdit>(Form4, "Edit1");
    Type(edit, QStringLiteral("9"));
    EXPECT_EQ(Form4->windowTitle(), designed);
    ASSERT_TRUE(document->SaveTo(folder.filePath(QStringLiteral("asymmetric.ortix"))));
    EXPECT_EQ(Form4->windowTitle(), QStringLiteral("asymmetric.ortix[*] — ") + designed);
    EXPECT_FALSE(Form4->isWindowModified());
    Type(edit, QStringLiteral("10"));
    EXPECT_TRUE(Form4->isWindowModified());

    const std::vector<MessageBoxSeen> seen =
        CollectMessageBoxes([&] { EXPECT_TRUE(document->NewCalculation().IsCancelled()); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_EQ(edit->text(), QStringLiteral("10"));
    EXPECT_TRUE(Form4->isWindowModified());
    EXPECT_TRUE(document->Save()); // nothing left unsaved to ask about when the tests end
}

} // namespace
