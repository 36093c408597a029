#include "FactoryBank.h"

namespace FactoryBank
{
    namespace
    {
        constexpr auto tri = Wave::triangle, sqr = Wave::square, sine = Wave::sine,
                       sawUp = Wave::sawRising, sawDown = Wave::sawFalling, rnd = Wave::random;
        constexpr auto full = Sync::full, dotted = Sync::dotted, triplet = Sync::triplet;
        constexpr bool bbdOn = true, bbdOff = false, follow = true, apart = false;

        /** An LFO at a free rate; its note rate is kept at one cycle per whole note. */
        Lfo freeRate (double hz, Wave wave, double depthMs, double offsetMs,
                      int volume, int tremolo, int phase)
        {
            return { hz, "1", Sync::off, depthMs, offsetMs, wave, volume, tremolo, phase };
        }

        /** An LFO locked to the host tempo; its free rate is kept at 0.5 Hz. */
        Lfo tempo (const char* note, Sync sync, Wave wave, double depthMs, double offsetMs,
                   int volume, int tremolo, int phase)
        {
            return { 0.5, note, sync, depthMs, offsetMs, wave, volume, tremolo, phase };
        }
    }

    const std::vector<Group>& groups()
    {
        //   name                          LFO 1: rate/note, wave, depth ms, offset ms, volume %, tremolo %, phase deg
        //                                 LFO 2: the same
        //                                 LFO 2 follows LFO 1, BBD, hi-pass Hz, wet %, output dB
        static const std::vector<Group> bank
        {
            { "_Regular", {
                { "Classic Stereo Chorus",   freeRate (0.8, tri, 3.0, 6.0, 80, 0, 180),     freeRate (0.5, tri, 2.0, 7.5, 70, 0, 90),      apart,  bbdOn,  0,   50,  0.0 },
                { "Subtle Doubler",          freeRate (0.12, sine, 0.8, 12.0, 80, 0, 90),   freeRate (0.17, sine, 0.6, 14.5, 70, 0, 150),  apart,  bbdOff, 0,   35,  0.0 },
                { "Tight Double Track",      freeRate (2.5, rnd, 0.4, 15.0, 100, 0, 180),   freeRate (1.8, rnd, 0.3, 13.0, 0, 0, 180),     apart,  bbdOff, 0,   45,  0.0 },
                { "Wide Ensemble",           freeRate (0.55, tri, 3.5, 5.0, 80, 0, 120),    freeRate (5.8, sine, 0.5, 6.5, 70, 0, 60),     apart,  bbdOn,  0,   55, -1.5 },
                { "Slow Lush Chorus",        freeRate (0.25, sine, 5.5, 8.0, 80, 0, 180),   freeRate (0.33, sine, 4.5, 9.5, 75, 0, 180),   apart,  bbdOn,  0,   50, -1.0 },
                { "Gentle Shimmer",          freeRate (1.2, sine, 1.2, 4.0, 75, 0, 150),    freeRate (1.55, sine, 1.0, 5.0, 65, 0, 90),    apart,  bbdOff, 250, 40,  0.0 },
                { "Warm Analog Chorus",      freeRate (0.65, tri, 2.5, 5.5, 85, 0, 180),    freeRate (0.42, tri, 2.0, 7.0, 60, 0, 180),    apart,  bbdOn,  0,   45,  0.5 },
                { "Clean Digital Chorus",    freeRate (0.7, sine, 2.8, 6.0, 80, 0, 180),    freeRate (0.45, sine, 2.2, 7.5, 70, 0, 90),    apart,  bbdOff, 0,   50, -1.0 },
                { "Gentle Vibrato",          freeRate (4.5, sine, 1.0, 1.0, 100, 0, 0),     freeRate (0.5, sine, 1.0, 2.0, 0, 0, 0),       apart,  bbdOff, 0,   100, 0.0 },
                { "Deep Vibrato",            freeRate (6.2, sine, 2.2, 1.0, 100, 0, 0),     freeRate (0.5, sine, 1.0, 2.0, 0, 0, 90),      apart,  bbdOff, 0,   100, 0.0 },
                { "Vintage Vibrato",         freeRate (5.5, tri, 1.6, 1.5, 100, 0, 0),      freeRate (0.5, tri, 1.0, 2.0, 0, 0, 0),        apart,  bbdOn,  0,   100, 2.0 },
                { "Stereo Vibrato",          freeRate (5.0, sine, 1.4, 1.0, 100, 0, 180),   freeRate (0.5, sine, 1.0, 2.0, 0, 0, 180),     apart,  bbdOff, 0,   100, 0.0 },
                { "Bass Safe Chorus",        freeRate (0.9, tri, 2.5, 5.0, 80, 0, 180),     freeRate (0.6, tri, 2.0, 6.5, 70, 0, 90),      apart,  bbdOff, 180, 50,  0.0 },
                { "Guitar Sparkle",          freeRate (1.4, sine, 1.8, 3.5, 80, 0, 180),    freeRate (2.1, tri, 1.2, 4.5, 60, 0, 120),     apart,  bbdOn,  320, 45,  0.0 },
                { "Thick Twelve String",     freeRate (0.3, sine, 0.9, 9.0, 90, 0, 140),    freeRate (3.3, rnd, 0.3, 11.0, 70, 0, 180),    apart,  bbdOff, 0,   50,  0.0 },
                { "Random Drift",            freeRate (0.9, rnd, 2.0, 6.0, 80, 0, 180),     freeRate (1.3, rnd, 1.6, 8.0, 80, 0, 180),     apart,  bbdOn,  0,   45,  0.0 },
                { "Tape Warble",             freeRate (7.5, rnd, 0.35, 2.0, 100, 0, 30),    freeRate (0.6, sine, 0.8, 2.5, 0, 0, 30),      apart,  bbdOn,  0,   100, 1.5 },
                { "Rotary Slow",             freeRate (0.8, sine, 1.5, 2.0, 100, 30, 180),  freeRate (0.8, sine, 0.4, 3.0, 70, 60, 180),   follow, bbdOff, 0,   100, -1.0 },
                { "Rotary Fast",             freeRate (6.4, sine, 0.9, 1.5, 100, 35, 180),  freeRate (6.4, sine, 0.3, 2.5, 70, 55, 180),   follow, bbdOff, 0,   100, -1.0 },
                { "Soft Tremolo",            freeRate (4.0, sine, 0.0, 0.0, 100, 60, 0),    freeRate (0.5, sine, 0.0, 0.0, 0, 0, 0),       apart,  bbdOff, 0,   100, 1.0 },
                { "Stereo Auto Pan",         freeRate (0.7, sine, 0.0, 0.0, 100, 100, 180), freeRate (0.5, sine, 0.0, 0.0, 0, 0, 180),     apart,  bbdOff, 0,   100, 2.0 },
                { "Choppy Square Tremolo",   freeRate (6.0, sqr, 0.0, 0.0, 100, 100, 0),    freeRate (0.5, sqr, 0.0, 0.0, 0, 0, 0),        apart,  bbdOff, 0,   100, 1.0 },
                { "Slow Flange Sweep",       freeRate (0.15, tri, 4.0, 0.0, 100, 0, 90),    freeRate (0.2, tri, 3.0, 0.5, 0, 0, 90),       apart,  bbdOff, 0,   50,  0.0 },
                { "Dark Ensemble",           freeRate (0.45, tri, 4.0, 7.0, 80, 0, 120),    freeRate (6.5, sine, 0.4, 8.0, 70, 0, 60),     apart,  bbdOn,  0,   65, -1.5 },
                { "Airy Pad Chorus",         freeRate (0.2, sine, 6.0, 9.0, 80, 0, 180),    freeRate (0.27, tri, 5.0, 11.0, 80, 0, 180),   apart,  bbdOff, 400, 60, -1.0 },
                { "Saw Detune Spread",       freeRate (0.35, sawUp, 2.0, 6.0, 75, 0, 180),  freeRate (0.35, sawDown, 2.0, 6.0, 75, 0, 180), apart, bbdOff, 0,   45,  0.0 },
                { "Locked Twin Chorus",      freeRate (1.0, tri, 2.5, 4.5, 80, 0, 90),      freeRate (1.0, tri, 2.5, 7.0, 70, 0, 90),      follow, bbdOn,  0,   50,  0.0 },
            } },

            { "_Famous", {
                { "Poly Synth Chorus I",     freeRate (0.52, tri, 3.6, 1.6, 100, 0, 180),   freeRate (0.5, tri, 1.0, 2.0, 0, 0, 180),      apart,  bbdOn,  0,   50,  0.0 },
                { "Poly Synth Chorus II",    freeRate (0.86, tri, 3.6, 1.6, 100, 0, 180),   freeRate (0.5, tri, 1.0, 2.0, 0, 0, 180),      apart,  bbdOn,  0,   50,  0.5 },
                { "Poly Synth Chorus I+II",  freeRate (8.0, sine, 0.3, 3.0, 100, 0, 0),     freeRate (0.5, sine, 1.0, 2.0, 0, 0, 0),       apart,  bbdOn,  0,   50,  0.0 },
                { "String Machine Ensemble", freeRate (0.6, sine, 3.0, 6.0, 75, 0, 120),    freeRate (6.0, sine, 0.45, 6.5, 75, 0, 120),   apart,  bbdOn,  60,  70, -1.0 },
                { "Eighties Rack Dimension", freeRate (0.25, tri, 0.9, 5.0, 70, 0, 180),    freeRate (0.25, tri, 0.9, 6.5, 70, 0, 180),    follow, bbdOn,  0,   50,  0.0 },
            } },

            { "_Synchronized", {
                { "Sync Sweep One Bar",      tempo ("1", full, tri, 4.0, 5.0, 80, 0, 180),    tempo ("2", full, sine, 2.0, 8.0, 70, 0, 90),    apart,  bbdOn,  0,   50,  0.0 },
                { "Sync Sweep Half Note",    tempo ("1/2", full, sine, 3.0, 5.0, 80, 0, 180), tempo ("1", full, tri, 2.0, 7.0, 70, 0, 90),     apart,  bbdOff, 0,   50,  0.0 },
                { "Quarter Pulse Tremolo",   tempo ("1/4", full, sqr, 0.0, 0.0, 100, 100, 0), tempo ("1/4", full, sqr, 0.0, 0.0, 0, 0, 0),     apart,  bbdOff, 0,   100, 1.0 },
                { "Eighth Gate Stereo",      tempo ("1/8", full, sqr, 0.0, 0.0, 100, 100, 180), tempo ("1/8", full, sqr, 0.0, 0.0, 0, 0, 180), apart,  bbdOff, 0,   100, 1.0 },
                { "Dotted Eighth Chop",      tempo ("1/8", dotted, sqr, 0.0, 0.0, 100, 85, 0), tempo ("1/8", dotted, sqr, 0.0, 0.0, 0, 0, 0),  apart,  bbdOff, 0,   100, 1.0 },
                { "Triplet Shimmer",         tempo ("1/4", triplet, sine, 1.2, 3.0, 100, 40, 180), tempo ("1/2", triplet, tri, 1.5, 5.0, 70, 0, 90), apart, bbdOn, 0, 60, 0.0 },
                { "Two Bar Slow Swell",      tempo ("2", full, sine, 6.0, 7.0, 80, 0, 180),   tempo ("4", full, sine, 4.0, 9.0, 70, 0, 180),   apart,  bbdOn,  0,   55, -1.0 },
                { "Synced Random Steps",     tempo ("1/8", full, rnd, 1.5, 4.0, 100, 0, 90),  tempo ("1/4", full, rnd, 1.0, 5.0, 60, 0, 90),   apart,  bbdOff, 0,   60,  0.0 },
                { "Random Gate Sixteenths",  tempo ("1/16", full, rnd, 0.0, 1.0, 100, 100, 180), tempo ("1/16", full, rnd, 0.0, 1.0, 0, 0, 180), apart, bbdOff, 0, 100, 1.0 },
                { "Quarter Swell Pump",      tempo ("1/4", full, sawUp, 0.0, 0.0, 100, 90, 0), tempo ("1/4", full, sawUp, 0.0, 0.0, 0, 0, 0), apart,  bbdOff, 0,   100, 1.0 },
                { "Dotted Quarter Sweep",    tempo ("1/4", dotted, tri, 3.5, 5.0, 80, 0, 180), tempo ("1/2", dotted, tri, 2.5, 7.0, 70, 0, 90), apart, bbdOff, 150, 50, 0.0 },
                { "Triplet Vibrato",         tempo ("1/8", triplet, sine, 1.3, 1.0, 100, 0, 0), tempo ("1/8", triplet, sine, 1.0, 2.0, 0, 0, 0), apart, bbdOff, 0,  100, 0.0 },
                { "Locked Rotor Sixteenths", tempo ("1/16", full, sine, 0.8, 2.0, 100, 30, 180), tempo ("1/16", full, sine, 0.3, 3.0, 70, 50, 180), follow, bbdOff, 0, 100, -1.0 },
            } },

            { "Ossia", {
                { "Ossia Glass Halo",        freeRate (0.18, sine, 4.5, 10.0, 75, 0, 180),  freeRate (0.23, sine, 3.5, 12.0, 75, 0, 150),  apart,  bbdOff, 500, 55, -1.0 },
                { "Ossia Velvet",            freeRate (0.4, tri, 2.2, 7.0, 85, 0, 160),     freeRate (0.29, tri, 1.8, 8.5, 65, 0, 100),    apart,  bbdOn,  0,   40,  0.0 },
                { "Ossia Nightfall",         freeRate (0.08, sine, 7.5, 6.0, 80, 0, 180),   freeRate (0.11, sine, 6.0, 8.0, 75, 0, 180),   apart,  bbdOn,  90,  60, -1.5 },
                { "Ossia Breathing Pad",     freeRate (0.15, sine, 3.0, 6.0, 80, 35, 180),  freeRate (0.2, sine, 2.5, 8.0, 70, 35, 0),     apart,  bbdOff, 0,   55,  0.0 },
                { "Ossia Silk Double",       freeRate (0.22, rnd, 0.6, 14.0, 85, 0, 180),   freeRate (0.31, rnd, 0.5, 13.0, 75, 0, 180),   apart,  bbdOff, 0,   40,  0.0 },
                { "Ossia Drift Choir",       freeRate (0.5, rnd, 2.4, 9.0, 80, 0, 180),     freeRate (0.37, sine, 3.2, 10.0, 70, 0, 120),  apart,  bbdOn,  0,   60, -1.0 },
                { "Ossia Moon Vibrato",      freeRate (3.2, sine, 1.8, 2.0, 100, 0, 90),    freeRate (0.5, sine, 1.0, 2.0, 0, 0, 90),      apart,  bbdOn,  0,   100, 2.0 },
                { "Ossia Frost",             freeRate (1.8, tri, 1.0, 3.0, 80, 0, 180),     freeRate (2.4, tri, 0.8, 4.0, 70, 0, 120),     apart,  bbdOff, 600, 45,  0.0 },
                { "Ossia Tidal",             freeRate (0.05, tri, 9.0, 3.0, 80, 0, 180),    freeRate (0.07, tri, 8.0, 4.0, 70, 0, 180),    apart,  bbdOff, 0,   50, -1.0 },
                { "Ossia Whisper",           freeRate (0.6, sine, 1.0, 5.0, 60, 0, 120),    freeRate (0.75, sine, 0.8, 6.0, 50, 0, 60),    apart,  bbdOff, 200, 25,  0.0 },
            } },

            { "Brum", {
                { "Brum Grit Chorus",        freeRate (1.1, tri, 3.0, 3.0, 100, 0, 180),    freeRate (1.6, sqr, 0.5, 5.0, 60, 0, 90),      apart,  bbdOn,  0,   55,  1.0 },
                { "Brum Wobble",             freeRate (3.5, tri, 3.5, 2.0, 100, 0, 180),    freeRate (0.5, tri, 1.0, 2.0, 0, 0, 180),      apart,  bbdOn,  0,   70,  1.0 },
                { "Brum Seasick",            freeRate (1.7, sine, 6.0, 4.0, 90, 0, 180),    freeRate (2.3, sine, 4.0, 6.0, 70, 0, 90),     apart,  bbdOn,  0,   60, -1.0 },
                { "Brum Square Warp",        freeRate (0.9, sqr, 1.2, 5.0, 90, 0, 180),     freeRate (1.35, sqr, 0.8, 6.0, 70, 0, 0),      apart,  bbdOn,  0,   50,  0.0 },
                { "Brum Helicopter",         freeRate (9.0, sqr, 0.0, 1.0, 100, 100, 0),    freeRate (0.5, sqr, 0.0, 1.0, 0, 0, 0),        apart,  bbdOn,  0,   100, 2.0 },
                { "Brum Stutter Random",     freeRate (5.0, rnd, 0.3, 2.0, 100, 90, 180),   freeRate (0.5, rnd, 0.3, 2.0, 0, 0, 180),      apart,  bbdOff, 0,   100, 1.0 },
                { "Brum Lo-Fi Ensemble",     freeRate (0.7, tri, 4.0, 6.0, 80, 0, 120),     freeRate (7.5, rnd, 0.3, 7.0, 70, 0, 60),      apart,  bbdOn,  120, 65,  0.5 },
                { "Brum Saw Ramp",           freeRate (1.5, sawDown, 2.0, 3.0, 100, 0, 180), freeRate (1.5, sawUp, 2.0, 3.0, 60, 0, 180), follow, bbdOn,  0,   50,  0.0 },
                { "Brum Tremolo Chorus",     freeRate (0.8, tri, 2.5, 5.0, 90, 0, 180),     freeRate (4.0, sine, 0.3, 4.0, 80, 70, 90),    apart,  bbdOn,  0,   55,  0.0 },
                { "Brum Broken Radio",       freeRate (12.0, rnd, 0.2, 0.5, 100, 30, 0),    freeRate (0.5, rnd, 0.2, 0.5, 0, 0, 0),        apart,  bbdOn,  700, 100, 4.0 },
                { "Brum Tight Low End",      freeRate (0.45, sine, 2.5, 6.0, 85, 0, 180),   freeRate (0.6, sine, 2.0, 7.5, 65, 0, 90),     apart,  bbdOff, 250, 50,  0.0 },
            } },

            { "Kestrel", {
                { "Kestrel Wide Open",       freeRate (0.6, tri, 3.0, 6.0, 85, 0, 180),     freeRate (0.85, tri, 2.4, 8.0, 85, 0, 180),    apart,  bbdOff, 0,   50, -1.5 },
                { "Kestrel Cathedral",       freeRate (0.16, sine, 6.5, 11.0, 80, 0, 180),  freeRate (0.21, sine, 5.5, 13.0, 80, 0, 180),  apart,  bbdOn,  150, 65, -1.5 },
                { "Kestrel Micro Shift",     freeRate (0.1, sine, 0.3, 8.0, 80, 0, 180),    freeRate (0.14, sine, 0.25, 10.0, 80, 0, 180), apart,  bbdOff, 0,   50,  0.0 },
                { "Kestrel Dual Rate",       freeRate (0.3, sine, 4.0, 5.0, 80, 0, 90),     freeRate (4.8, tri, 0.6, 6.0, 70, 0, 90),      apart,  bbdOff, 0,   55,  0.0 },
                { "Kestrel Panorama",        freeRate (0.4, sine, 0.5, 4.0, 100, 60, 180),  freeRate (0.4, sine, 0.5, 6.0, 100, 60, 180),  follow, bbdOff, 0,   70,  1.0 },
                { "Kestrel Bar Sweep",       tempo ("1", full, tri, 5.0, 4.0, 85, 0, 180),    tempo ("1/2", dotted, sine, 2.0, 7.0, 70, 0, 90), apart, bbdOn, 0,   55,  0.0 },
                { "Kestrel Triplet Pan",     tempo ("1/4", triplet, sine, 0.0, 0.0, 100, 100, 180), tempo ("1/4", triplet, sine, 0.0, 0.0, 0, 0, 180), apart, bbdOff, 0, 100, 2.0 },
                { "Kestrel Halftime Wash",   tempo ("2", full, sine, 7.0, 6.0, 80, 0, 180),   tempo ("1", triplet, sine, 3.0, 9.0, 70, 0, 120), apart, bbdOn, 200, 60, -1.0 },
                { "Kestrel Glitter",         freeRate (3.0, rnd, 0.5, 3.0, 85, 0, 180),     freeRate (4.2, rnd, 0.4, 4.0, 85, 0, 180),     apart,  bbdOff, 450, 45,  0.0 },
                { "Kestrel Deep Space",      freeRate (0.07, tri, 8.0, 12.0, 80, 0, 180),   freeRate (0.09, sine, 7.0, 14.0, 80, 0, 180),  apart,  bbdOn,  0,   70, -2.0 },
                { "Kestrel Quadrature",      freeRate (0.7, sine, 2.0, 5.0, 80, 0, 90),     freeRate (0.9, tri, 2.0, 7.0, 80, 0, 90),      apart,  bbdOff, 0,   50, -1.0 },
                { "Kestrel Pulse Width",     tempo ("1/8", full, sqr, 0.6, 3.0, 100, 50, 90), tempo ("1/4", full, sine, 1.5, 5.0, 70, 0, 180), apart, bbdOn, 0,   60,  0.0 },
                { "Kestrel Sixteenth Flutter", tempo ("1/16", full, tri, 0.5, 2.0, 100, 20, 180), tempo ("1/16", full, tri, 0.5, 2.0, 0, 0, 180), apart, bbdOff, 0, 80, 0.0 },
                { "Kestrel Vintage Wide",    freeRate (0.5, tri, 3.2, 4.0, 85, 0, 180),     freeRate (0.75, tri, 2.6, 5.5, 75, 0, 180),    apart,  bbdOn,  0,   50,  0.0 },
            } },
        };

        return bank;
    }
}
