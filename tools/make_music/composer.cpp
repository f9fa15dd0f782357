#include "composer.h"

#include "melody_writer.h"

#include <algorithm>

namespace {

// A: the tune, A': its new ending, B: the bridge.
const int form_phrases = 4;
const int bass_low = 33; // A1: the lowest the bass goes

}

composer::composer(const song_style& style)
    : style(style), key(style.home, style.scale), rnd(style.seed), bar_steps(style.beats_per_bar * 4),
      phrase_bars(int(style.verse.size()))
{
    for (int phrase = 0; phrase < form_phrases; ++phrase) {
        const auto& chords = phrase == 2 ? style.bridge : style.verse;
        chord_of_bar.insert(chord_of_bar.end(), chords.begin(), chords.end());
    }
}

score composer::compose()
{
    score out;
    out.total_steps = int(chord_of_bar.size()) * bar_steps;
    out.tempo = style.tempo;
    out.swing = style.swing;
    out.room = style.room;
    write_melody(out);
    write_chords(out);
    write_bass(out);
    write_drums(out);
    return out;
}

float composer::jitter(float velocity)
{
    return velocity * float(1.0 + 0.07 * rnd.bipolar());
}

void composer::write_melody(score& out)
{
    melody_writer writer(style, rnd);
    const auto a = writer.phrase(style.verse, 2);
    const auto a_end = writer.new_ending(a, style.verse, 2);
    const auto b = writer.phrase(style.bridge, 4);
    std::vector<const std::vector<melody_note>*> form = {&a, &a_end, &b, &a_end};

    // Struck and plucked sounds fade by themselves; blown ones are let go early.
    const bool rings = style.lead == timbre::bell || style.lead == timbre::marimba || style.lead == timbre::pluck;
    const double held = rings ? 1.0 : 0.88;
    part lead{"lead", style.lead, 0.5f, 0.08f, 0.0f, 0.22f, style.lead_echo, {}};
    // The last phrase gains a second voice a third below, for a lift before the loop.
    part second{"second", style.lead, 0.22f, -0.35f, 0.0f, 0.3f, 0.0f, {}};
    auto last = a_end;
    lead_in(last, a.front());
    form.back() = &last;
    for (int phrase = 0; phrase < form_phrases; ++phrase) {
        const int start = phrase * phrase_bars * bar_steps;
        for (const auto& n : *form[std::size_t(phrase)]) {
            const float velocity = jitter(n.strong ? 0.9f : 0.74f);
            lead.notes.push_back({double(start + n.step), n.length * held, key.pitch(n.degree), velocity});
            if (phrase == form_phrases - 1 && n.length >= 2)
                second.notes.push_back({double(start + n.step), n.length * held, key.pitch(n.degree - 2), velocity});
        }
    }
    out.parts.push_back(lead);
    out.parts.push_back(second);
}

void composer::lead_in(std::vector<melody_note>& phrase, const melody_note& first) const
{
    // The loop's last bar hands over to its first: the closing note makes
    // room for eighths that step up or down into the tune's first note.
    melody_note& closing = phrase.back();
    const int end = closing.step + closing.length;
    if (closing.length < 4 || first.step != 0)
        return;
    const int side = closing.degree < first.degree ? -1 : 1;
    if (closing.length >= 8) {
        closing.length -= 4;
        phrase.push_back({end - 4, 2, first.degree + 2 * side, false});
    } else {
        closing.length -= 2;
    }
    phrase.push_back({end - 2, 2, first.degree + side, false});
}

void composer::write_chords(score& out)
{
    const int bars = int(chord_of_bar.size());
    if (style.pad) {
        part pad{"pad", timbre::pad, 0.13f, 0.0f, 0.6f, 0.45f, 0.0f, {}};
        for (int bar = 0; bar < bars; ++bar)
            for (int pitch : key.voicing(chord_of_bar[std::size_t(bar)], style.sevenths, style.home - 10))
                // Held into the next chord's slow attack, so the pad never dips.
                pad.notes.push_back({double(bar * bar_steps), bar_steps + 1.0, pitch, 0.8f});
        out.parts.push_back(pad);
    }
    if (style.chords == chord_style::none)
        return;
    part comp{"chords", style.chord_sound, 0.15f, -0.3f, 0.0f, 0.3f, 0.0f, {}};
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = chord_of_bar[std::size_t(bar)];
        const double start = bar * bar_steps;
        const bool lively = phrase_of(bar) == 2;
        switch (style.chords) {
        case chord_style::offbeat_stabs:
            for (int beat = 0; beat < style.beats_per_bar; ++beat)
                for (int pitch : key.voicing(chord, style.sevenths, style.home - 7))
                    comp.notes.push_back({start + beat * 4 + 2, 1.6, pitch, jitter(beat % 2 ? 0.62f : 0.7f)});
            break;
        case chord_style::waltz_comp:
            for (int beat = 1; beat < 3; ++beat)
                for (int pitch : key.voicing(chord, style.sevenths, style.home - 7))
                    comp.notes.push_back({start + beat * 4, 2.8, pitch, jitter(0.6f)});
            break;
        case chord_style::arpeggio_up:
        case chord_style::arpeggio_updown: {
            auto tones = key.voicing(chord, style.sevenths, style.home - 5);
            const std::size_t count = tones.size();
            for (std::size_t i = 0; i < count; ++i)
                tones.push_back(tones[i] + 12);
            if (style.chords == chord_style::arpeggio_updown)
                for (std::size_t i = tones.size() - 2; i > 0; --i)
                    tones.push_back(tones[i]);
            // Slow songs run the bridge in sixteenths to lift it.
            const int every = lively && style.tempo < 100 ? 1 : 2;
            for (int s = 0, i = 0; s < bar_steps; s += every, ++i)
                comp.notes.push_back({start + s, double(every) * 1.5, tones[std::size_t(i) % tones.size()],
                                      jitter(s % 4 == 0 ? 0.75f : 0.6f)});
            break;
        }
        case chord_style::none: break;
        }
    }
    comp.pan = style.chords == chord_style::offbeat_stabs ? -0.3f : 0.3f;
    out.parts.push_back(comp);
}

void composer::write_bass(score& out)
{
    part bass{"bass", style.bass_sound, 0.55f, 0.0f, 0.0f, 0.04f, 0.0f, {}};
    const int bars = int(chord_of_bar.size());
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = chord_of_bar[std::size_t(bar)];
        const int next = chord_of_bar[std::size_t((bar + 1) % bars)];
        const int root = key.root_near(chord, bass_low);
        const int third = root + key.pitch(chord + 2) - key.pitch(chord);
        const int fifth = root + key.pitch(chord + 4) - key.pitch(chord);
        const int next_root = key.root_near(next, bass_low);
        // A scale step into the next bar's root, from the side the line comes from.
        const int side = next == chord ? 0 : next_root > root ? -1 : 1;
        const int approach = next_root + key.pitch(next + side) - key.pitch(next);
        const double s = bar * bar_steps;
        auto add = [&](double at, double length, int pitch, float velocity) {
            bass.notes.push_back({s + at, length, pitch, jitter(velocity)});
        };
        switch (style.bass) {
        case bass_style::roots:
            add(0, 7.8, root, 0.9f);
            add(8, 7.9, bar % 2 ? fifth : root, 0.75f);
            break;
        case bass_style::pop:
            add(0, 2.8, root, 0.95f);
            add(3, 2.8, root, 0.7f);
            add(6, 1.8, root + 12, 0.6f);
            add(8, 3.6, fifth, 0.85f);
            add(12, 1.8, root, 0.7f);
            add(14, 1.8, approach, 0.7f);
            break;
        case bass_style::octaves:
            for (int step = 0; step < bar_steps; step += 2)
                add(step, 1.6, step == bar_steps - 2 ? approach : step % 4 ? root + 12 : root, step % 4 ? 0.65f : 0.9f);
            break;
        case bass_style::walking:
            add(0, 3.6, root, 0.9f);
            add(4, 3.6, third, 0.75f);
            add(8, 3.6, fifth, 0.8f);
            add(12, 3.6, next_root + key.pitch(next + (next_root > fifth ? -1 : 1)) - key.pitch(next), 0.75f);
            break;
        case bass_style::waltz:
            add(0, 3.6, bar % 2 ? (fifth - 12 >= bass_low ? fifth - 12 : fifth) : root, 0.9f);
            add(8, 3.0, root, 0.55f);
            break;
        }
    }
    out.parts.push_back(bass);
}

void composer::write_drums(score& out)
{
    const int bars = int(chord_of_bar.size());
    for (int bar = 0; bar < bars; ++bar) {
        const bool fill = bar % phrase_bars == phrase_bars - 1;
        drum_bar(out, bar, fill, phrase_of(bar) >= 2);
    }
}

void composer::drum_bar(score& out, int bar, bool fill, bool lively)
{
    const double s = bar * bar_steps;
    auto hit = [&](double at, drum kind, float velocity) { out.drums.push_back({s + at, kind, jitter(velocity)}); };
    const int eighths = bar_steps / 2;
    switch (style.drums) {
    case drum_style::shaker_only:
        for (int e = 0; e < eighths; ++e)
            hit(e * 2, drum::shaker, e % 2 ? 0.5f : 0.3f);
        hit(0, drum::kick, 0.45f);
        if (bar % 2 == 1)
            hit(bar_steps - 4, drum::rim, 0.22f);
        break;
    case drum_style::pop:
        hit(0, drum::kick, 0.85f);
        hit(8, drum::kick, 0.75f);
        if (bar % 2)
            hit(10, drum::kick, 0.55f);
        hit(4, drum::snare, 0.6f);
        for (int e = 0; e < eighths; ++e)
            if (!fill || e < 6)
                hit(e * 2, drum::closed_hat, e % 2 ? 0.35f : 0.5f);
        if (lively)
            for (int e = 0; e < eighths; ++e)
                hit(e * 2 + 1, drum::shaker, 0.3f);
        if (fill) {
            hit(12, drum::snare, 0.45f);
            hit(13, drum::snare, 0.35f);
            hit(14, drum::snare, 0.5f);
            hit(15, drum::snare, 0.6f);
        } else {
            hit(12, drum::snare, 0.6f);
            if (bar % 4 == 3)
                hit(14, drum::open_hat, 0.35f);
        }
        break;
    case drum_style::halftime:
        hit(0, drum::kick, 0.7f);
        if (bar % 2)
            hit(6, drum::kick, 0.45f);
        hit(8, drum::snare, 0.45f);
        for (int e = 0; e < eighths; ++e)
            hit(e * 2, drum::closed_hat, e % 2 ? 0.25f : 0.35f);
        if (lively)
            for (int k = 0; k < bar_steps; ++k)
                hit(k, drum::shaker, k % 2 ? 0.18f : 0.25f);
        if (fill) {
            hit(12, drum::rim, 0.35f);
            hit(14, drum::rim, 0.4f);
        }
        break;
    case drum_style::drive:
        for (int beat = 0; beat < 4; ++beat)
            hit(beat * 4, drum::kick, 0.75f);
        hit(4, drum::snare, 0.5f);
        for (int beat = 0; beat < 4; ++beat)
            hit(beat * 4 + 2, drum::closed_hat, 0.5f);
        if (lively)
            for (int k = 0; k < bar_steps; k += 2)
                hit(k + 1, drum::closed_hat, 0.22f);
        if (fill) {
            for (int k = 8; k < 16; ++k)
                hit(k, drum::snare, 0.3f + 0.04f * float(k - 8));
        } else {
            hit(12, drum::snare, 0.5f);
            if (bar % 2)
                hit(14, drum::open_hat, 0.25f);
        }
        break;
    case drum_style::swing:
        for (int beat = 0; beat < 4; ++beat)
            hit(beat * 4, drum::closed_hat, beat % 2 ? 0.45f : 0.35f);
        hit(6, drum::closed_hat, 0.28f);
        hit(14, drum::closed_hat, 0.28f);
        hit(0, drum::kick, 0.5f);
        hit(8, drum::kick, 0.4f);
        hit(4, drum::rim, 0.3f);
        hit(12, drum::rim, 0.3f);
        if (fill) {
            hit(10, drum::snare, 0.3f);
            hit(14, drum::snare, 0.4f);
        }
        break;
    case drum_style::waltz:
        hit(0, drum::kick, 0.6f);
        hit(4, drum::rim, 0.28f);
        hit(8, drum::rim, 0.28f);
        for (int e = 0; e < eighths; ++e)
            hit(e * 2, drum::shaker, e % 2 ? 0.3f : 0.2f);
        if (fill) {
            hit(8, drum::snare, 0.3f);
            hit(10, drum::snare, 0.38f);
        }
        break;
    }
}
