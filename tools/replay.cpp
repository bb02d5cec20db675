// calc-replay's command line and output, the same in every build so that their outputs can be compared.
#include "tools/replay.h"

#include <charconv>
#include <iostream>

namespace replay {
namespace {

// %.9g, without the C library's locale.
std::string number(float value)
{
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, double(value), std::chars_format::general, 9).ptr;
    return std::string(text, end);
}

} // namespace

const form::ControlRow* controlFor(std::string_view key)
{
    for (const form::ControlRow& row : form::kControls) {
        const bool clickable = row.kind == form::Key || row.kind == form::Option;
        if (clickable && row.caption == key && row.name != "cmdQuit")
            return &row;
    }
    return nullptr;
}

std::optional<Request> parse(int argc, char* argv[], std::istream& in)
{
    Request request;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--state")
            request.withState = true;
        else if (arg == "--screenshot" && first + 1 < argc)
            request.screenshot = argv[++first];
        else if (arg == "--language" && first + 1 < argc)
            request.language = argv[++first];
        else
            break;
    }
    std::vector<std::string> keys(argv + first, argv + argc);
    if (keys.empty())
        for (std::string word; in >> word;)
            keys.push_back(word);
    for (const std::string& key : keys) {
        const form::ControlRow* control = controlFor(key);
        if (!control) {
            std::cerr << "calc-replay: unknown key \"" << key << "\"\n";
            return std::nullopt;
        }
        request.keys.push_back(control);
    }
    return request;
}

std::string line(const std::string& display, const engine::CalculatorState* s)
{
    if (!s)
        return display;
    return display + "\tsngOperand1=" + number(s->sngOperand1) + " sngOperand2=" + number(s->sngOperand2) +
           " sngResult=" + number(s->sngResult) + " sngMemory=" + number(s->sngMemory) +
           " strOperator=" + s->strOperator + " blnNewEntry=" + (s->blnNewEntry ? "1" : "0");
}

} // namespace replay
