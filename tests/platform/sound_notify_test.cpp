// Position notifications and the play and stop rules they follow.
#include "sound_device_fixture.h"

namespace {

using Notifications = WithSoundDevice;

// 1000 frames of 16-bit mono: a tick is 220 or 221 frames.
constexpr DWORD kFrames = 1000;

class Notified : public WithSoundDevice {
protected:
    void SetUp() override {
        WithSoundDevice::SetUp();
        std::vector<std::int16_t> ramp(kFrames);
        for (DWORD i = 0; i < kFrames; ++i) ramp[i] = static_cast<std::int16_t>(i + 1);
        buffer_ = Make16(ramp);
        start_ = NewEvent();
        middle_ = NewEvent();
        stop_ = NewEvent();
        LPDIRECTSOUNDNOTIFY notify = nullptr;
        ASSERT_EQ(buffer_->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&notify)), DS_OK);
        const DSBPOSITIONNOTIFY positions[] = {{DSBPN_OFFSETSTOP, stop_}, {800, middle_}, {0, start_}};
        ASSERT_EQ(notify->SetNotificationPositions(3, positions), DS_OK);
        notify->Release();
    }

    LPDIRECTSOUNDBUFFER buffer_ = nullptr;
    HANDLE start_ = nullptr;
    HANDLE middle_ = nullptr;  // byte 800: frame 400
    HANDLE stop_ = nullptr;
};

TEST_F(Notified, EachOffsetIsSignalledOnceOnEveryLapIncludingTheWrap) {
    buffer_->Play(0, 0, DSBPLAY_LOOPING);
    Ticks(1);  // frames 0 to 219: starting at offset 0 passes it
    EXPECT_TRUE(Signalled(start_));
    EXPECT_FALSE(Signalled(middle_));
    Ticks(1);  // to 440
    EXPECT_FALSE(Signalled(start_));
    EXPECT_TRUE(Signalled(middle_));
    Ticks(2);  // to 881
    EXPECT_FALSE(Signalled(start_));
    EXPECT_FALSE(Signalled(middle_));
    Ticks(1);  // to 1102: the wrap
    EXPECT_TRUE(Signalled(start_));
    EXPECT_FALSE(Signalled(stop_));
    Ticks(2);  // to 1543: frame 400 of the second lap
    EXPECT_TRUE(Signalled(middle_));
}

TEST_F(Notified, StopSignalsOnlyAPlayingBufferAndKeepsItsPlaceForPlay) {
    buffer_->Stop();
    EXPECT_FALSE(Signalled(stop_));
    buffer_->Play(0, 0, DSBPLAY_LOOPING);
    Ticks(2);
    ASSERT_EQ(buffer_->Stop(), DS_OK);
    EXPECT_TRUE(Signalled(stop_));
    EXPECT_EQ(PlayPosition(buffer_), 441u * 2);
    buffer_->Stop();
    EXPECT_FALSE(Signalled(stop_));

    buffer_->Play(0, 0, DSBPLAY_LOOPING);
    const auto out = Ticks(1);
    EXPECT_EQ(out[0], 442);  // frame 441 holds 442
}

TEST_F(Notified, TheNaturalEndSignalsEveryOffsetThenStopAndRewinds) {
    buffer_->SetCurrentPosition(700);  // frame 350
    buffer_->Play(0, 0, 0);
    Ticks(1);
    EXPECT_TRUE(Signalled(middle_));
    EXPECT_FALSE(Signalled(stop_));
    Ticks(3);  // to 881 frames past 350: the end at 1000
    EXPECT_TRUE(Signalled(stop_));
    EXPECT_FALSE(Signalled(start_)) << "a buffer that does not loop never comes round to offset 0";
    EXPECT_EQ(Status(buffer_), 0u);
    EXPECT_EQ(PlayPosition(buffer_), 0u);
}

TEST_F(Notified, PlayOnAPlayingBufferOnlyChangesItsLooping) {
    buffer_->Play(0, 0, 0);
    Ticks(1);
    buffer_->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Status(buffer_), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(PlayPosition(buffer_), 440u);
    Ticks(5);
    EXPECT_EQ(Status(buffer_), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_FALSE(Signalled(stop_));
    buffer_->Play(0, 0, 0);
    EXPECT_EQ(Status(buffer_), DSBSTATUS_PLAYING);
}

TEST_F(Notified, PositionsAreCheckedAndCannotChangeWhilePlaying) {
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    buffer_->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&notify));
    const DSBPOSITIONNOTIFY outside[] = {{2 * kFrames, start_}};
    EXPECT_EQ(notify->SetNotificationPositions(1, outside), DSERR_INVALIDPARAM);
    buffer_->Play(0, 0, 0);
    EXPECT_EQ(notify->SetNotificationPositions(0, nullptr), DSERR_INVALIDCALL);
    buffer_->Stop();
    Signalled(stop_);
    EXPECT_EQ(notify->SetNotificationPositions(0, nullptr), DS_OK);
    buffer_->Play(0, 0, 0);
    buffer_->Stop();
    EXPECT_FALSE(Signalled(stop_));
    notify->Release();
}

TEST_F(Notifications, ABufferWithoutTheNotifyControlHasNoNotifyInterface) {
    LPDIRECTSOUNDBUFFER plain = Make16(std::vector<std::int16_t>(100), 1, 22050, DSBCAPS_STATIC);
    LPVOID notify = nullptr;
    EXPECT_EQ(plain->QueryInterface(IID_IDirectSoundNotify, &notify), DSERR_NOINTERFACE);
    EXPECT_EQ(notify, nullptr);
    EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetPan(100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(11025), DSERR_CONTROLUNAVAIL);
}

}  // namespace
