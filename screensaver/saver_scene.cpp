// Either style of clock on one screen.
#include "saver_scene.h"

namespace {

PixelRect DigitsRect(const SaverScene& scene) {
    return {scene.Position.X, scene.Position.Y, scene.Position.X + scene.Digits.Width,
            scene.Position.Y + scene.Digits.Height};
}

void DrawDigits(const SaverScene& scene, DialTime time) {
    DrawClockFace(scene.Picture, scene.Position.X, scene.Position.Y, scene.Thickness,
                  DigitalTime(time, scene.Settings.Hours24));
}

PixelRect Shifted(const PixelRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace

ClockTime DigitalTime(DialTime time, bool hours24) {
    if (hours24)
        return {time.Hours, time.Minutes, time.Seconds};
    int hour = time.Hours % 12;
    return {hour == 0 ? 12 : hour, time.Minutes, time.Seconds, true};
}

int SceneCacheSize(const SaverSettings& settings, int width, int height, bool fullScreen) {
    if (settings.Style != ClockStyle::Clockwork)
        return 0;
    return DialSizeFor(width, height, fullScreen ? FullScreenDialPercent : PreviewDialPercent);
}

void StartScene(SaverScene& scene, const SaverSettings& settings, bool fullScreen,
                const PixelSurface& picture, const PixelSurface& cache, DialTime time) {
    scene = {};
    scene.Settings = settings;
    scene.Picture = picture;
    scene.ShownSecond = time.Seconds;
    FillRectangle(picture, 0, 0, picture.Width, picture.Height, BackgroundColour);
    int width = picture.Width, height = picture.Height;
    if (settings.Style == ClockStyle::Clockwork) {
        int size = cache.Pixels != nullptr ? cache.Width : 0;
        if (size <= 0 || size > width || size > height)
            return;
        scene.DialLeft = (width - size) / 2;
        scene.DialTop = (height - size) / 2;
        PixelSurface square = {picture.Pixels + scene.DialTop * picture.Stride + scene.DialLeft,
                               size, size, picture.Stride};
        StartDial(scene.Dial, cache, square, size, settings.SecondHand, time);
        return;
    }
    scene.Thickness = FaceThicknessFor(width, height,
                                       fullScreen ? FullScreenDigitsPercent : PreviewDigitsPercent);
    scene.Digits = FaceSizeFor(scene.Thickness);
    StartDrift(scene.Position, width - scene.Digits.Width, height - scene.Digits.Height,
               DriftStepFor(scene.Thickness));
    DrawDigits(scene, time);
}

int AdvanceScene(SaverScene& scene, DialTime time, PixelRect* changed) {
    if (scene.Settings.Style == ClockStyle::Clockwork) {
        if (scene.Dial.Size == 0)
            return 0;
        int count = AdvanceDial(scene.Dial, time, changed);
        for (int i = 0; i < count; ++i)
            changed[i] = Shifted(changed[i], scene.DialLeft, scene.DialTop);
        return count;
    }
    if (time.Seconds == scene.ShownSecond || scene.Thickness <= 0)
        return 0;
    scene.ShownSecond = time.Seconds;
    changed[0] = DigitsRect(scene);
    FillRectangle(scene.Picture, changed[0].Left, changed[0].Top, scene.Digits.Width,
                  scene.Digits.Height, BackgroundColour);
    AdvanceDrift(scene.Position, scene.Picture.Width - scene.Digits.Width,
                 scene.Picture.Height - scene.Digits.Height);
    DrawDigits(scene, time);
    changed[1] = DigitsRect(scene);
    return 2;
}
