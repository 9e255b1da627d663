#include "settings/SNuItem.h"

#include "common/RecordingPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(SNuItem, ShowsTheTextsAndGivesBackCrLfLineBreaks) {
    RecordingPrompter prompter;
    SNuItem item(QStringLiteral("Modify a number"), prompter);
    EXPECT_EQ(item.windowTitle(), QStringLiteral("Modify a number"));
    item.SetTexts(QStringLiteral("A1"), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(item.InfoEdit()->toPlainText(), QStringLiteral("one\ntwo"));
    item.InfoEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(item.InfoEdit(), Qt::Key_Return);
    QTest::keyClicks(item.InfoEdit(), QStringLiteral("three"));
    item.accept();
    EXPECT_EQ(item.result(), QDialog::Accepted);
    EXPECT_EQ(item.m_strNumber, QStringLiteral("A1"));
    EXPECT_EQ(item.m_strInfo, QStringLiteral("one\r\ntwo\r\nthree"));
}

TEST(SNuItem, TypingStopsAtTheLimits) {
    RecordingPrompter prompter;
    SNuItem item(QStringLiteral("Add a new number"), prompter);
    QTest::keyClicks(item.NumberEdit(), QString(90, QLatin1Char('7')));
    EXPECT_EQ(item.NumberEdit()->text().size(), 80);

    // A line break counts twice, as the pool stores it.
    item.InfoEdit()->setPlainText(QString(200, QLatin1Char('a')) + QLatin1Char('\n'));
    item.InfoEdit()->moveCursor(QTextCursor::End);
    QTest::keyClicks(item.InfoEdit(), QString(40, QLatin1Char('b')));
    EXPECT_EQ(item.InfoEdit()->toPlainText().size(), 224);
    // Pasting in the middle keeps the text after the cursor and cuts the paste.
    item.InfoEdit()->setPlainText(QStringLiteral("startend"));
    QTextCursor c = item.InfoEdit()->textCursor();
    c.setPosition(5);
    item.InfoEdit()->setTextCursor(c);
    item.InfoEdit()->insertPlainText(QString(300, QLatin1Char('x')));
    const QString text = item.InfoEdit()->toPlainText();
    EXPECT_EQ(text.size(), 225);
    EXPECT_TRUE(text.startsWith(QStringLiteral("startxx")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("xxend")));
    item.accept();
    EXPECT_EQ(item.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST(SNuItem, ATooLongRecordIsRefusedOnOk) {
    RecordingPrompter prompter;
    SNuItem item(QStringLiteral("Modify a number"), prompter);
    // An imported record may hold more than can be typed.
    item.SetTexts(QStringLiteral("A1"), QString(300, QLatin1Char('i')));
    QTest::keyClicks(item.InfoEdit(), QStringLiteral("more"));
    EXPECT_EQ(item.InfoEdit()->toPlainText().size(), 300);
    item.accept();
    EXPECT_NE(item.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Please enter no more than 225 characters.")});
    EXPECT_TRUE(item.m_strInfo == QString(300, QLatin1Char('i')));
}
