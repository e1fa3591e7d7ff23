// Where the effects put things at a given local time.
#include "effects/circle_interference.h"
#include "effects/greetings_scroller.h"
#include "effects/greetings_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

void expectCentre(RingCentre centre, int x, int y)
{
    EXPECT_EQ(centre.x, x);
    EXPECT_EQ(centre.y, y);
}

TEST(RingCentres, SwingRoundTheWindowCentreTruncatedTowardZero)
{
    expectCentre(ringCentreA(0), 420, 240);
    expectCentre(ringCentreB(0), 420, 240);
    expectCentre(ringCentreA(10), 445, 262);
    expectCentre(ringCentreB(10), 449, 220);  // 30 sin(-10/13) = -20.87 gives -20
    expectCentre(ringCentreA(100), 404, 266);
    expectCentre(ringCentreB(100), 449, 211);
    for (float t = 0; t < 133.4f; t += 0.7f) {
        for (RingCentre c : {ringCentreA(t), ringCentreB(t)}) {
            EXPECT_LE(std::abs(c.x - 420), 30);
            EXPECT_LE(std::abs(c.y - 240), 30);
        }
    }
}

TEST(GreetingsScroller, PositionAdvancesInWholeCharacters)
{
    EXPECT_EQ(greetingsScrollPosition(0), 0);
    EXPECT_EQ(greetingsScrollPosition(1), 2);
    EXPECT_EQ(greetingsScrollPosition(100), 210);
    EXPECT_EQ(greetingsScrollPosition(200), 421);
    EXPECT_EQ(greetingsScrollPosition(21.3f), 44);
    EXPECT_EQ(greetingsScrollPosition(21.4f), 45);  // the message's first letter enters
    EXPECT_EQ(greetingsScrollPosition(266.666f), 561);
    EXPECT_EQ(greetingsScrollPosition(266.6666259765625f), 561);  // the span's last instant
    // Outside the span the window still lies inside the line.
    EXPECT_EQ(greetingsScrollPosition(-5), 0);
    EXPECT_EQ(greetingsScrollPosition(1000), int(GreetingsText.size()) - 1 - greetingsWindowChars);
}

TEST(GreetingsText, SpreadsTheMessageBetweenBlankMargins)
{
    const std::string line(GreetingsText.data());
    ASSERT_EQ(line.size(), 642u);
    EXPECT_EQ(line.find_first_not_of(' '), 124u);
    EXPECT_EQ(line.find_last_not_of(' '), 642u - 124u - 1u);

    const std::string message = line.substr(124, 394);
    int digits = 0, capitals = 0, lower = 0;
    for (size_t i = 0; i < message.size(); ++i) {
        const unsigned char c = message[i];
        digits += std::isdigit(c) != 0;
        capitals += std::isupper(c) != 0;
        lower += std::islower(c) != 0;
        if (c != ' ')
            continue;
        // Blanks come singly between letters or in threes between words.
        size_t run = message.find_first_not_of(' ', i) - i;
        EXPECT_TRUE(run == 1 || run == 3) << "at " << i;
        i += run - 1;
    }
    EXPECT_EQ(digits, 1);
    EXPECT_GT(capitals, 0);
    EXPECT_GT(lower, 5 * capitals);
}

} // namespace
