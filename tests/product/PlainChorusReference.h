#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

/** A plain, unoptimised stereo chorus written straight from the engine's formulas: the
    table in its original layout (tap t of phase j at j + 512 t), four wet lines, every
    step in the documented order. The tests hold the real core against it. */
class PlainChorusReference
{
public:
    static constexpr double pi = 3.141592653589793238;

    explicit PlainChorusReference (double fs)
        : table (16384)
    {
        for (int i = 0; i < 16384; ++i)
        {
            const double x = (i - 8192) / 512.0;
            const double sinc = i == 8192 ? 1.0 : std::sin (pi * x) / (pi * x);
            table[(size_t) i] = sinc * (0.42 - 0.5 * std::cos (2 * pi * i / 16384) + 0.08 * std::cos (4 * pi * i / 16384));
        }

        for (auto& line : dryLines) line.assign (11540, 0.0);
        for (auto& line : wetLines) line.assign (11540, 0.0);

        sampleRate = fs;
        const double q = 2 * (1 - std::pow (0.5, 44100 / fs));
        w = 0.002 * q;
        g = 0.01 * q;
        decay = 1 - q * 0.0001;
        l = (int) std::floor (0.03 * fs);
        a1 = std::exp (-2 * pi * 33 / fs) + 1e-20;
        b1 = (a1 + 1) * 0.5 + 1e-20;
        a2 = std::exp (-2 * pi * 88.5 / fs);
        a3 = std::exp (-2 * pi * 6000 / fs);

        const std::uint32_t seeds[2][2] { { 0x67452301u, 0xEFCDAB89u }, { 0xA7452301u, 0x4FCDAB89u } };

        for (int n = 0; n < 2; ++n)
            for (int side = 0; side < 2; ++side)
            {
                lfo[n].s0[side] = seeds[n][0];
                lfo[n].s1[side] = seeds[n][1];
            }
    }

    /** Sets a parameter as the core does; values are normalised. */
    void setParameter (int index, double v)
    {
        if (index < 18)
        {
            auto& o = lfo[index / 9];

            switch (index % 9)
            {
                case 0: o.freeRate = 0.01263019463426548 * std::exp (7.367528706904771 * v) - 0.00263019462995602;
                        updateRate (o); break;
                case 2: o.sync = (int) std::floor (v * 3 + 0.5); if (o.sync == 0) updateRate (o); break;
                case 3: o.depth.target = v; break;
                case 4: o.offset.target = v; break;
                case 5: o.waveform = (int) std::floor (v * 5 + 0.5); break;
                case 6: o.volume.target = v; break;
                case 7: o.tremolo.target = v; break;
                case 8: o.stereo.target = v * pi; break;
                default: break;
            }
        }
        else if (index == 18) lfo2Sync = v >= 0.5;
        else if (index == 19) bbd = v >= 0.5;
        else if (index == 20)
        {
            hpA.target = std::exp (-2 * pi * (v * 800 + 0.01) / sampleRate) + 1e-20;
            hpB.target = (hpA.target + 1) * 0.5 + 1e-20;
        }
        else if (index == 21) mix.target = v;
        else if (index == 22) gain.target = 4 * v * v;
    }

    void setCyclesPerBeat (int n, double x)   { lfo[n].cyclesPerBeat = x; if (lfo[n].sync != 0) updateRate (lfo[n]); }
    void setTempo (double bpm)                { tempo = bpm; for (auto& o : lfo) if (o.sync != 0) updateRate (o); }

    /** Every smoothed value jumps to its target, as after a sample-rate change. */
    void snapToTargets()
    {
        for (auto* s : { &gain, &mix, &hpA, &hpB })
            s->value = s->target;

        for (auto& o : lfo)
            for (auto* s : { &o.increment, &o.depth, &o.offset, &o.stereo, &o.volume, &o.tremolo })
                s->value = s->target;
    }

    void process (float* left, float* right, int numSamples)
    {
        float* io[2] { left, right };

        for (int s = 0; s < numSamples; ++s)
        {
            // 1
            for (auto* v : { &gain, &mix, &hpA, &hpB })
                v->step (w);
            for (auto& o : lfo)
                for (auto* v : { &o.increment, &o.depth, &o.offset, &o.stereo, &o.volume, &o.tremolo })
                    v->step (w);

            // 2, 3
            for (int k = 0; k < 2; ++k)
            {
                auto& c = channel[k];
                const double x = io[k][s];
                if (x != 0) c.active = true;
                dryLines[k][u] = x;
                dryLines[k][u + l] = x;

                double colour;
                if (bbd)
                {
                    c.hpY = (x - c.hpX) * b1 + a1 * c.hpY + 1e-20;
                    c.hpX = x;
                    c.lp88 = c.hpY - (c.hpY - c.lp88) * a2 + 1e-20;
                    const double z = c.hpY - 1.24 * c.lp88;
                    c.lp6000 = z - (z - c.lp6000) * a3 + 1e-20;
                    colour = c.lp6000;
                }
                else
                {
                    c.lp6000 = x;
                    colour = x;
                }

                c.y = (colour - c.prevColour) * hpB.value + hpA.value * c.y + 1e-20;
                c.prevColour = colour;
                wetLines[k][u] = c.y;
                wetLines[k][u + l] = c.y;
            }

            // 4
            for (auto& o : lfo)
            {
                o.leftPhase += o.increment.value;
                if (o.leftPhase > 2 * pi)
                {
                    o.leftPhase -= 2 * pi;
                    if (o.sync == 0) o.leftRandom = next (o, 0);
                }
            }
            if (lfo2Sync) lfo[1].leftPhase = lfo[0].leftPhase;

            double leftValue[2], rightValue[2];
            for (int n = 0; n < 2; ++n)
                leftValue[n] = wave (lfo[n].waveform, lfo[n].leftPhase, lfo[n].leftRandom);

            for (int n = 0; n < 2; ++n)
            {
                auto& o = lfo[n];
                o.accumulator += o.increment.value;
                if (n == 1 && lfo2Sync) o.accumulator = lfo[0].accumulator;
                o.rightPhase = o.accumulator + o.stereo.value;
                if (o.rightPhase > 2 * pi)
                {
                    o.rightRandom = o.rightCopy = next (o, 1);
                    o.accumulator -= 2 * pi;
                }
                if (o.rightPhase > 2 * pi) o.rightPhase -= 2 * pi;
                else if (o.rightPhase < 0) o.rightPhase += 2 * pi;
                rightValue[n] = wave (o.waveform, o.rightPhase, o.rightRandom);
            }

            // 5
            double wet[2] { 0, 0 };
            if (channel[0].active || channel[1].active)
            {
                double smoothedValue[2][2];
                for (int n = 0; n < 2; ++n)
                {
                    smoothedValue[0][n] = smooth (lfo[n].leftA, lfo[n].leftB, leftValue[n]);
                    smoothedValue[1][n] = smooth (lfo[n].rightA, lfo[n].rightB, std::fmax (rightValue[n], 0.0));
                }

                for (int k = 0; k < 2; ++k)
                {
                    for (int n = 0; n < 2; ++n)
                    {
                        const auto& o = lfo[n];
                        const double lv = smoothedValue[k][n];
                        const double p = (u + l) - ((lv * o.depth.value + o.offset.value) * 0.5 + 1e-20) * (l - 32);
                        const int i = (int) p;
                        const int j = (int) ((p - i) * 512);
                        double value = 0;
                        for (int t = 0; t < 32; ++t)
                            value += table[(size_t) (j + 512 * t)] * wetLines[k][(size_t) (i - t)];
                        const double pathGain = o.volume.value * (o.tremolo.value * lv + (1 - o.tremolo.value) + 1e-20);
                        wet[k] += pathGain * value;
                    }
                }
            }

            // 6, 7
            for (int k = 0; k < 2; ++k)
            {
                auto& c = channel[k];
                const double dry = dryLines[k][(size_t) (u + l - 16)];
                const float out = (float) (((wet[k] - dry) * mix.value + dry) * gain.value);
                io[k][s] = out;
                const double y = out;
                c.follower *= decay + 1e-20;
                if (y > c.follower) c.follower = y;
                if (c.follower < 2e-5) c.active = false;
            }

            // 8
            u = u + 1 == l ? 0 : u + 1;
        }
    }

private:
    struct Smoothed
    {
        double value = 0, target = 0;
        void step (double w) { value = value - ((value - target) * w + 1e-20); }
    };

    struct Lfo
    {
        double freeRate = 0, cyclesPerBeat = 0, rate = 0;
        int sync = 0, waveform = 0;
        Smoothed increment, depth, offset, stereo, volume, tremolo;
        double leftPhase = 0, accumulator = 0, rightPhase = 0;
        std::uint32_t s0[2] {}, s1[2] {};
        double leftRandom = 0, rightRandom = 0, rightCopy = 0;
        double leftA = 0, leftB = 0, rightA = 0, rightB = 0;
    };

    struct Channel
    {
        bool active = false;
        double hpX = 0, hpY = 0, lp88 = 0, lp6000 = 0, prevColour = 0, y = 0, follower = 0;
    };

    void updateRate (Lfo& o)
    {
        o.rate = o.sync != 0 ? tempo * (1.0 / 60) * o.cyclesPerBeat : o.freeRate;
        o.increment.target = 2 * pi * o.rate / sampleRate + 1e-20;
    }

    double next (Lfo& o, int side)
    {
        const std::int32_t out = (std::int32_t) o.s1[side];
        o.s0[side] = o.s0[side] ^ o.s1[side];
        o.s1[side] = (std::uint32_t) ((std::uint64_t) o.s0[side] + (std::uint32_t) out);
        return out * 4.656612874161595e-10;
    }

    double smooth (double& a, double& b, double x) const
    {
        a = a - ((a - x) * g + 1e-20);
        b = b - ((b - a) * g + 1e-20);
        return b;
    }

    static double wave (int index, double phi, double r)
    {
        switch (index)
        {
            case 0: return (phi < pi ? ((phi - pi / 2) * 2 / pi + 1) * 0.5 : ((3 * pi / 2 - phi) * 2 / pi + 1) * 0.5) + 1e-20;
            case 1: return phi < pi ? 1 : 0;
            case 2: return (std::sin (phi + 1e-20) + 1) * 0.5;
            case 3: return phi / (2 * pi);
            case 4: return 1 - phi / (2 * pi);
            case 5: return (r + 1) * 0.5;
            default: return 0;
        }
    }

    std::vector<double> table;
    std::array<std::vector<double>, 2> dryLines, wetLines;
    double sampleRate, w, g, decay, a1, b1, a2, a3;
    int l, u = 0;
    double tempo = 0;
    bool lfo2Sync = false, bbd = false;
    Smoothed gain, mix, hpA, hpB;
    Lfo lfo[2];
    Channel channel[2];
};
