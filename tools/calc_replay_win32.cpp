// calc-replay.exe: the Windows build's key-replay tool, with the Linux tool's arguments and output. Until the
// Windows window exists it clicks through the window description that every front-end shares.
#include "form/form.h"
#include "tools/replay.h"

#include <iostream>

namespace {

struct NoView : form::View {
    void showDisplay(std::string_view) override {}
    void showOption(engine::AngleOption, bool) override {}
    void announce(std::string_view) override {}
    void unload() override {}
    void end() override {}
    void showAbout() override {}
    void copy(std::string_view) override {}
};

} // namespace

int main(int argc, char* argv[])
{
    const std::optional<replay::Request> request = replay::parse(argc, argv, std::cin);
    if (!request)
        return 2;
    NoView view;
    form::Form form(view);
    for (const form::ControlRow* key : request->keys) {
        form.click(*key);
        std::cout << replay::line(form.displayText(), request->withState ? &form.state() : nullptr) << '\n';
    }
    return 0;
}
