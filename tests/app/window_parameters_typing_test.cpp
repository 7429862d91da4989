// The parameter window under the worst a student can type: every field, every button.
#include <algorithm>
#include <chrono>

#include "tests/app/app_fixture.h"

namespace {

using korva::test::AppTest;
using WorstTyping = AppTest;

// Types what a keyboard types, and pastes long texts and the rest.
void enter(platform::DesktopTextField& field, const QString& text) {
    const bool typeable = text.size() <= 40 && std::all_of(text.begin(), text.end(), [](QChar c) {
                              return c.unicode() >= 0x20 && c.unicode() < 0x7f;
                          });
    if (!field.isVisible()) {
        field.setText(text);
        return;
    }
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    if (typeable) {
        QTest::keyClicks(&field, text);
    } else {
        field.insert(text);
    }
}

TEST_F(WorstTyping, NoTextEndsHangsOrBlanksTheProgram) {
    const QString texts[] = {
        "",
        "   ",
        "3,5",
        "1e400",
        "-1e400",
        "1e-400",
        "nan",
        "-inf",
        "-0",
        "0",
        QString(5000, '9'),
        "." + QString(3000, '0') + "1",
        "12abc!@#$%^&*()",
        QString::fromUtf8("\xd9\xa3\xd9\xa5"),  // Arabic-Indic digits
        QString::fromUtf8("\xf0\x9f\xa7\xaa 7 Hz"),
        QString::fromLatin1("\x01\x7f\xff"),
    };
    auto& parameters = openParameters();
    countDrawings();
    const char* fields[] = {"textfield1", "textfield2", "textfield3", "textfield4",
                            "TextField5", "TextField6", "TextField7"};
    const std::size_t count = std::size(texts);
    for (std::size_t round = 0; round < count; ++round) {
        // Every field gets every text in turn; within a round the fields hold different ones.
        std::string typed;
        for (std::size_t f = 0; f < std::size(fields); ++f) {
            const QString& text = texts[(round + 3 * f) % count];
            typed += std::string(fields[f]) + "=" + text.left(12).toStdString() + " ";
            const std::size_t shown = messages.messages.size();
            enter(*parameters.findChild<platform::DesktopTextField*>(fields[f]), text);
            EXPECT_EQ(messages.messages.size(), shown) << "typing " << typed;
            EXPECT_GT(parameters.Label15().Text().size(), std::string("\u2206v/J = ").size());
        }
        for (auto* button :
             {&parameters.PushButton1(), &parameters.PushButton2(), &parameters.PushButton3()}) {
            const int before = drawings;
            const std::size_t warnings = messages.messages.size();
            const auto start = std::chrono::steady_clock::now();
            QTest::mouseClick(button, Qt::LeftButton);
            settle();
            // Milliseconds as a rule, and seconds under load: 20 s means a text made it hang.
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
            EXPECT_EQ(drawings, before + 1) << typed;
            EXPECT_LE(messages.messages.size(), warnings + 1);
            for (std::size_t m = warnings; m < messages.messages.size(); ++m) {
                EXPECT_EQ(messages.messages[m], Module1::kPeaksOffPlotWarning);
            }
            EXPECT_TRUE(parameters.Label15().Text().starts_with("\u2206v/J = "));
        }
    }
    EXPECT_TRUE(Window1().isVisible());
}

}  // namespace
