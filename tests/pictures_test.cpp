#include "calculators/same_type/form2.h"
#include "tests/support/window_driver.h"
#include "window_look/jpeg_image.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>

namespace {

QWidget *WindowNamed(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            return window;
    }
    return nullptr;
}

TEST(Pictures, EveryEmbeddedPictureDecodesToItsBoxSize)
{
    static const QRegularExpression kName(QStringLiteral("^(Form\\d)_(Image\\d)(@2x)?\\.jpg$"));
    const QStringList names = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = kName.match(name);
        ASSERT_TRUE(match.hasMatch()) << name.toStdString() << " is not named after its window and box";
        const QWidget *window = WindowNamed(match.captured(1));
        ASSERT_TRUE(window) << name.toStdString();
        if (!window->findChild<QLabel *>(QStringLiteral("Image1")))
            continue; // a window whose controls are still to be built
        const QLabel *box = Find<QLabel>(window, match.captured(2).toLatin1().constData());
        ASSERT_TRUE(box);
        const QImage image = DecodeJpeg(FileBytes(QStringLiteral(":/pictures/") + name));
        const int scale = match.captured(3).isEmpty() ? 1 : 2;
        EXPECT_EQ(image.size(), box->size() * scale) << name.toStdString();
    }
}

TEST(Pictures, EveryBoxShowsItsPictureAtNaturalSizeOrStaysEmpty)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        QList<const QLabel *> boxes;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->property("kind").toString() == QLatin1String("picture"))
                boxes << label;
        }
        if (boxes.isEmpty())
            continue;
        // A window gives its boxes their pictures when it is first shown.
        const bool hidden = window->isHidden();
        window->show();
        if (hidden)
            window->hide();
        for (const QLabel *box : boxes) {
            const QString resource =
                QStringLiteral(":/pictures/%1_%2.jpg").arg(window->objectName(), box->objectName());
            const QPixmap shown = box->pixmap();
            if (!QFile::exists(resource)) {
                EXPECT_TRUE(shown.isNull()) << resource.toStdString();
                continue;
            }
            EXPECT_EQ(shown.deviceIndependentSize().toSize(), box->size()) << resource.toStdString();
            EXPECT_FALSE(box->hasScaledContents());
            EXPECT_EQ(box->alignment(), Qt::AlignLeft | Qt::AlignTop);
        }
    }
}

TEST(Pictures, AWindowDecodesItsPicturesWhenFirstShownNotWhenBuilt)
{
    TForm2 form;
    const QLabel *box = Find<QLabel>(&form, "Image2");
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->pixmap().isNull()) << "a window that starts hidden costs the start-up no picture";
    form.show();
    EXPECT_EQ(box->pixmap().deviceIndependentSize().toSize(), box->size());
}

TEST(Pictures, DataThatIsNotAJpegGivesNoPicture)
{
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture")).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray::fromHex("ffd8ffe000104a464946")).isNull());
}

TEST(Pictures, ATruncatedJpegDoesNotBreakTheDecoder)
{
    const QStringList names = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    if (names.isEmpty())
        GTEST_SKIP() << "no picture embedded";
    const QByteArray whole = FileBytes(QStringLiteral(":/pictures/") + names.front());
    for (qsizetype length : {qsizetype(2), qsizetype(200), whole.size() / 2, whole.size() - 2})
        DecodeJpeg(whole.left(length)); // must return, with or without an image
}

} // namespace
