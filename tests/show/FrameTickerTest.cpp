#include "show/FrameTicker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The beat follows the most eager subscriber through every way of coming, changing and going.
TEST(FrameTicker, BeatFollowsTheMostEagerSubscriberAsTheyComeChangeAndGo) {
    FrameTicker& ticker = FrameTicker::Instance();
    const int refresh = ticker.RefreshMs();
    QObject fade, slow, roll, stranger;
    struct Step {
        QObject* view;
        int paceMs;   // -1: unsubscribes
        int interval; // 0: stopped
    };
    const std::vector<Step> steps = {
        {&fade, 200, 200},        // the first sets the beat
        {&slow, 500, 200},        // a slower one leaves it
        {&fade, 600, 500},        // subscribing again changes the pace
        {&roll, 0, refresh},      // a rolling symbol wants every refresh
        {&slow, 1, refresh},      // never faster than the screen
        {&stranger, -1, refresh}, // leaving without having come changes nothing
        {&roll, -1, refresh},     // another view still at the refresh
        {&slow, -1, 600},         // the fade's own pace once nothing rolls
        {&slow, -1, 600},         // leaving twice counts once
        {&fade, -1, 0},           // nobody listens: no beat
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (s.paceMs < 0)
            ticker.Unsubscribe(s.view);
        else
            ticker.Subscribe(s.view, s.paceMs);
        EXPECT_EQ(ticker.IsRunning(), s.interval != 0) << "step " << i;
        if (s.interval != 0) {
            EXPECT_EQ(ticker.IntervalMs(), s.interval) << "step " << i;
        }
    }
}

} // namespace
