#include "engine/platform/fonts/FaceMatcher.h"

#include "engine/platform/fonts/FontTypes.h"
#include "engine/platform/fonts/FreeTypeHandles.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace platform::fonts {

namespace {

// fontconfig loses a few hundred bytes once while it parses its
// configuration, which happens inside the first request. The leak checker
// of sanitizer builds is told to look away for the length of a request;
// everything of ours in it is owned by handles.
struct ThirdPartyLeaksIgnored {
#if defined(__SANITIZE_ADDRESS__)
  ThirdPartyLeaksIgnored() { __lsan_disable(); }
  ~ThirdPartyLeaksIgnored() { __lsan_enable(); }
#endif
};

const char* LanguageOf(uint8_t charSet) {
  switch (charSet) {
    case kRussianCharset:
      return "ru";
    case kAnsiCharset:
      return "en";
    default:
      return nullptr;
  }
}

const FcChar8* Text(const char* s) { return reinterpret_cast<const FcChar8*>(s); }

}  // namespace

std::vector<FaceCandidate> FindFaceCandidates(const std::string& family, int32_t weight,
                                              bool italic, uint8_t charSet, size_t limit) {
  [[maybe_unused]] const ThirdPartyLeaksIgnored ignored;
  std::vector<FaceCandidate> candidates;
  // Initialises the process-wide configuration once; it stays loaded for
  // the life of the process, as for every other fontconfig user in it.
  if (!FcInit()) return candidates;

  PatternHandle pattern(FcPatternCreate());
  if (!pattern) return candidates;
  if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, Text(family.c_str()));
  FcPatternAddString(pattern.get(), FC_FAMILY, Text("sans-serif"));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                      FcWeightFromOpenType(weight <= 0 ? kWeightNormal : weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (const char* language = LanguageOf(charSet)) {
    LangSetHandle languages(FcLangSetCreate());
    if (languages && FcLangSetAdd(languages.get(), Text(language))) {
      FcPatternAddLangSet(pattern.get(), FC_LANG, languages.get());
    }
  }
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return candidates;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  FontSetHandle fonts(FcFontSort(nullptr, pattern.get(), FcTrue, nullptr, &result));
  if (!fonts) return candidates;
  for (int i = 0; i < fonts->nfont && candidates.size() < limit; ++i) {
    FcPattern* font = fonts->fonts[i];
    FcBool outline = FcFalse;
    if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline) continue;
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) continue;
    FaceCandidate candidate;
    candidate.file = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) candidate.index = index;
    FcChar8* name = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &name) == FcResultMatch && name) {
      candidate.family = reinterpret_cast<const char*>(name);
    }
    candidates.push_back(std::move(candidate));
  }
  return candidates;
}

}  // namespace platform::fonts
