// The geometry of the wave snapshot strip: a 10-second snapshot drawn on millimetre paper to
// physical scale. Pixels per millimetre come from the screen's (or printer's) dots per inch;
// the strip's width follows the sweep speed, the channels' heights are fixed, and the vertical
// scales follow the ECG and FECG gains. A sweep speed outside 1-4 or a gain outside 2-5 (a
// damaged or hand-edited settings file) is taken as 3, the default of both settings.
#pragma once

namespace tarlux {

// The wave channels in the strip's order, top to bottom.
enum WaveChannel { kWaveECG = 0, kWaveSpO2 = 1, kWaveFECG = 2, kWaveFSpO2 = 3, kWaveChannelCount = 4 };

struct WaveLayout
{
    int seconds = 10;       // seconds shown
    int offset = 10;        // outer margin in pixels
    int mm = 4;             // pixels per millimetre
    int grid = 20;          // pixels per large (5 mm) square
    int sweepSpeed = 3;     // the speed used (1-4)
    int widthGrids = 50;    // strip width in large squares
    int heightGrids = 36;   // strip height in large squares (the four channels)
    int labelGrids = 3;     // label column left of the strip, in large squares
    int markStep = 5;       // large squares between time marks
    int secondsPerMark = 1; // seconds between time marks
    int pulseWidth = 20;    // calibration pulse width in pixels (200 ms)
    int pulseHeight[2] = { 40, 40 }; // ECG and FECG calibration pulse heights in pixels (1 mV)
    double xScale[kWaveChannelCount] = {}; // pixels per sample along time
    double yScale[kWaveChannelCount] = {}; // pixels per sample unit

    int CanvasWidth() const { return (widthGrids + labelGrids) * grid + 2 * offset; }
    int CanvasHeight() const { return (heightGrids + 2) * grid + 2 * offset; }
    // The strip's top left corner relative to the canvas margin.
    int OriginX() const { return labelGrids * grid; }
    int OriginY() const { return 2 * grid; }
};

// Channel table: height in large squares, baseline row from the strip top, samples per packet.
struct WaveChannelInfo
{
    int heightGrids;
    int baselineRow;
    int samplesPerPacket;
    bool fineGrid; // the 1-mm lines are drawn behind this channel
};
const WaveChannelInfo& WaveChannelOf(int channel);

// The sweep speed or gain actually used: the value when in range, else 3.
int WaveSweepSpeedOrDefault(int speed);
int WaveGainOrDefault(int gain);

// The layout for a device of `dpi` dots per inch at the given settings.
WaveLayout MakeWaveLayout(int dpi, int sweepSpeed, int ecgGain, int fecgGain);

} // namespace tarlux
