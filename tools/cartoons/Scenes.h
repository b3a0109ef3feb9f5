#pragma once
// The five reward cartoons, one function per scene: each draws frame
// `frame` (0 .. kFrames - 1) of its scene into the shown 320 x 200 space
// (see Paint.h). A scene is a pure function of the frame number.

#include <cairo.h>

namespace cartoons {

// «Браво!»: rockets rise into a night sky and burst into fireworks.
void DrawFireworks(cairo_t* cr, int frame);
// «Готово!»: a smiling star pops up, gathers itself and bursts into confetti.
void DrawStarConfetti(cairo_t* cr, int frame);
// «Молодец!»: a smiling sun with turning rays winks.
void DrawWinkingSun(cairo_t* cr, int frame);
// «Отлично!»: a beach ball bounces across a meadow, trailing a rainbow.
void DrawRainbowBall(cairo_t* cr, int frame);
// «Ура!»: a flag saying "Ура!" is hoisted and waves while balloons rise.
void DrawHurrahFlag(cairo_t* cr, int frame);

struct Scene {
  const char* name;  // the data name of the cartoon
  void (*draw)(cairo_t* cr, int frame);
};

// In the order of the reward's praise words: bravo, gotovo, molodec,
// otlichno, ura.
extern const Scene kScenes[5];

}  // namespace cartoons
