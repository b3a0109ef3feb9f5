// The game screen alone on the real window, with sound: a way to play the
// colouring book before the program's other screens exist. Esc or the
// window's close button ends it; "--windowed" opens an 800 x 600 window.

#include <cstdio>
#include <cstring>

#include "app/App.h"
#include "engine/gui/MainWindow.h"
#include "engine/platform/window/VirtualKeys.h"

namespace {

class DemoApp : public App {
 public:
  void ShowReward(IMDialogBase*) override { std::puts("The picture is finished."); }
};

}  // namespace

int main(int argc, char** argv) {
  const bool windowed = argc > 1 && std::strcmp(argv[1], "--windowed") == 0;
  IMWindow* root = CreateMainWindow(u"Игра «Пестрель»", std::nullopt, windowed);
  {
    DemoApp app;
    auto* screen = new IMDialogBase(root);
    app.BuildGameScreen(screen);
    root->ConnectKeyDown([root](const IMKeyboardEvent& e) {
      if (e.wParam == static_cast<uint32_t>(VK_ESCAPE)) root->Close();
      return 0L;
    });
    RunMessageLoop(root);
    delete root;
  }
  return 0;
}
