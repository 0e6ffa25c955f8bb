#include "app/Form1.h"

namespace app {

namespace {
constexpr int DesignClientWidth = 1040;
constexpr int DesignClientHeight = 640;
}  // namespace

Form1::Form1()
    : forms::Form("Form1"),
      MenuBarDesign(static_cast<forms::Form&>(*this)),
      MainToolbarDesign(static_cast<forms::Form&>(*this)),
      RythmToolbarDesign(static_cast<forms::Form&>(*this), static_cast<TrackControlArrays&>(*this)),
      ComposeToolbarDesign(static_cast<forms::Form&>(*this),
                           static_cast<TrackControlArrays&>(*this)),
      InstrumentToolbarDesign(static_cast<forms::Form&>(*this)),
      SetupToolbarDesign(static_cast<forms::Form&>(*this)),
      EditToolbarDesign(static_cast<forms::Form&>(*this)),
      PlayToolbarDesign(static_cast<forms::Form&>(*this)),
      RecordToolbarDesign(static_cast<forms::Form&>(*this)),
      ScoreAreaDesign(static_cast<forms::Form&>(*this)) {
    setCaption("Midi Sorvane");
    // Room for about 80 columns and two dozen rows until the user resizes it.
    setClientSize(DesignClientWidth, DesignClientHeight);
    wireAppEvents();
    wireMidiEvents();
    wirePlaybackEvents();
    wireViewEvents();
    wireFileEvents();
    wireEditEvents();
    wireClipboardEvents();
    wireRythmEvents();
    wireToolbarEvents();
    wireAudioEvents();
}

Form1::~Form1() = default;

bool Form1::isTrackHidden(int track) const {
    const forms::CheckBox* box = TrackHide.find(track);
    return box != nullptr && box->value() != 0;
}

score::HiddenTracks Form1::hiddenTracks() const {
    score::HiddenTracks hidden{};
    for (int track = 0; track < score::TrackCount; ++track) hidden[track] = isTrackHidden(track);
    return hidden;
}

}  // namespace app
