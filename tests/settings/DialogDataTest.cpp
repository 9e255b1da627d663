#include "settings/DialogData.h"
#include "settings/FontColourDialog.h"

#include <QFontDatabase>
#include <QListView>

#include <gtest/gtest.h>

using namespace DialogData;

TEST(DialogData, SignedNumbersAsAnEditHoldsThem) {
    qint32 v = 99;
    EXPECT_TRUE(ParseInt(" -7 ", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ParseInt("+3", v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(ParseInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    v = 99;
    for (const char* refused : {"", "  ", "-", "1a", "1 2", "0x10", "2147483648", "1.5"})
        EXPECT_FALSE(ParseInt(refused, v)) << refused;
    EXPECT_EQ(v, 99); // a refused text leaves the value alone
}

TEST(DialogData, UnsignedNumbersTakeNoSign) {
    quint32 v = 0;
    EXPECT_TRUE(ParseUInt("4294967295", v));
    EXPECT_EQ(v, 4294967295u);
    EXPECT_FALSE(ParseUInt("-1", v));
    EXPECT_FALSE(ParseUInt("+1", v));
    EXPECT_FALSE(ParseUInt("4294967296", v));
}

TEST(DialogData, WindowsFiltersBecomeQtFilters) {
    // A description that names its patterns shows them once, as the dialog reads them.
    EXPECT_EQ(QtFileFilter("swf Files (*.swf)|*.swf|All Files (*.*)|*.*||"),
              "swf Files (*.swf);;All Files (*)");
    EXPECT_EQ(QtFileFilter("TXT Files(*.txt)|*.txt|All Files (*.*)|*.*||"),
              "TXT Files(*.txt);;All Files (*)");
    EXPECT_EQ(QtFileFilter("Txt Files(*.txt,*.csv)|*.txt;*.csv|"), "Txt Files(*.txt *.csv)");
    EXPECT_EQ(QtFileFilter("All support types|*.swf;*.bmp|*.jpg,*.jpeg|*.jpg;*.jpeg|"),
              "All support types (*.swf *.bmp);;*.jpg *.jpeg");
    // A bracket that is no pattern list stays part of the description.
    EXPECT_EQ(QtFileFilter("*.bmp(Recommended)|*.bmp|"), "*.bmp(Recommended) (*.bmp)");
    EXPECT_EQ(QtFileFilter(QString::fromUtf8("所有文件|*.*|")), QString::fromUtf8("所有文件 (*)"));
}

TEST(DialogData, TypedRectangleKeepsItsFarEdgesInRange) {
    EXPECT_EQ(FromPosition(20, 30, 180, 80), WinRect(20, 30, 200, 110));
    const WinRect huge = FromPosition(2000000000, 5, 2000000000, 1);
    EXPECT_EQ(huge.right, INT32_MAX);
    EXPECT_EQ(huge.bottom, 6);
}

TEST(DialogData, ColoursAreStoredBlueGreenRed) {
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0xC4C4C4), QColor(0xC4, 0xC4, 0xC4));
    EXPECT_EQ(ToColorRef(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(FontColourDialog, ChosenFontKeepsItsSizeAndEffects) {
    LogFont lf = LogFont::Default();
    lf.lfHeight = -40;
    lf.lfItalic = 1;
    lf.lfCharSet = 134;
    const LogFont back = FontColourDialog::ToLogFont(FontColourDialog::ToQFont(lf), lf);
    EXPECT_EQ(back.lfHeight, -40);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfUnderline, 0);
    EXPECT_EQ(back.lfCharSet, 134); // what the chooser does not show stays
    EXPECT_EQ(back.lfFaceName, "Arial");

    QFont f("DejaVu Sans");
    f.setPointSizeF(30);
    f.setWeight(QFont::Normal);
    f.setStrikeOut(true);
    const LogFont chosen = FontColourDialog::ToLogFont(f, lf);
    EXPECT_EQ(chosen.lfHeight, -40); // 30 points on a 96 dpi screen
    EXPECT_EQ(chosen.lfWeight, 400);
    EXPECT_EQ(chosen.lfItalic, 0);
    EXPECT_EQ(chosen.lfStrikeOut, 1);
    EXPECT_EQ(chosen.lfFaceName, "DejaVu Sans");
}

// The chooser opens on the stored style: confirmed untouched, upright stays upright and bold
// stays bold, whatever style the face happens to list first.
TEST(FontColourDialog, ConfirmingUnchangedKeepsTheStyle) {
    struct Case {
        int weight;
        int italic;
    };
    for (const Case c : {Case{400, 0}, Case{700, 0}, Case{400, 1}, Case{700, 1}}) {
        LogFont lf = LogFont::Default();
        lf.SetFaceName(QStringLiteral("DejaVu Sans"));
        lf.lfHeight = -24;
        lf.lfWeight = c.weight;
        lf.lfItalic = quint8(c.italic);
        FontColourDialog dialog(lf, 0);
        const LogFont chosen = dialog.ChosenFont();
        EXPECT_EQ(chosen.lfItalic, c.italic) << c.weight;
        EXPECT_EQ(chosen.lfWeight, c.weight) << c.italic;
        EXPECT_EQ(chosen.lfFaceName, "DejaVu Sans");
        EXPECT_EQ(chosen.lfHeight, -24);
    }
}

TEST(FontColourDialog, ConfirmingUnchangedKeepsTheStoredFace) {
    // Arial of the Windows build is not on this system: the chooser shows a stand-in, and
    // confirming it unchanged must give back the same description, bold included.
    LogFont lf = LogFont::Default();
    lf.lfHeight = -40;
    FontColourDialog dialog(lf, 0x0000FF);
    const LogFont chosen = dialog.ChosenFont();
    EXPECT_EQ(chosen.lfFaceName, "Arial");
    EXPECT_EQ(chosen.lfWeight, 700);
    EXPECT_EQ(chosen.lfHeight, -40);
    EXPECT_EQ(dialog.ChosenColour(), 0x0000FFu);

    EXPECT_EQ(FontColourDialog::FaceName("Nimbus Sans [urw]"), "Nimbus Sans");
    EXPECT_EQ(FontColourDialog::FaceName("DejaVu Sans"), "DejaVu Sans");
}

// Another family picked in the chooser's list, as the operator does: the weight and slant stay,
// whatever style the new family lists first.
TEST(FontColourDialog, ChangingTheFamilyKeepsWeightAndSlant) {
    struct Case {
        const char* from;
        const char* to;
        int weight;
        int italic;
    };
    for (const Case c :
         {Case{"DejaVu Sans", "Nimbus Sans", 400, 0}, Case{"DejaVu Sans", "Nimbus Sans", 700, 0},
          Case{"DejaVu Sans", "Nimbus Roman", 400, 1}, Case{"Nimbus Sans", "DejaVu Sans", 400, 0},
          Case{"Nimbus Sans", "DejaVu Serif", 700, 1}}) {
        if (!QFontDatabase::hasFamily(c.from) || !QFontDatabase::hasFamily(c.to))
            GTEST_SKIP() << c.from << " or " << c.to << " is not installed";
        LogFont lf = LogFont::Default();
        lf.SetFaceName(QString::fromLatin1(c.from));
        lf.lfHeight = -24;
        lf.lfWeight = c.weight;
        lf.lfItalic = quint8(c.italic);
        FontColourDialog dialog(lf, 0);
        const QList<QListView*> lists = dialog.findChildren<QListView*>();
        ASSERT_FALSE(lists.isEmpty());
        QListView* families = lists.first(); // then the styles and the sizes
        // The list names a face with its foundry ("Nimbus Sans [urw]").
        QModelIndex row;
        for (int i = 0; i < families->model()->rowCount() && !row.isValid(); ++i) {
            const QModelIndex at = families->model()->index(i, 0);
            if (FontColourDialog::FaceName(at.data().toString()) == QLatin1String(c.to))
                row = at;
        }
        ASSERT_TRUE(row.isValid()) << c.to;
        families->setCurrentIndex(row);
        const LogFont chosen = dialog.ChosenFont();
        const std::string what = std::string(c.from) + " to " + c.to;
        EXPECT_EQ(chosen.lfFaceName, QString::fromLatin1(c.to)) << what;
        EXPECT_EQ(chosen.lfWeight, c.weight) << what;
        EXPECT_EQ(chosen.lfItalic, c.italic) << what;
        EXPECT_EQ(chosen.lfHeight, -24) << what;
    }
}
