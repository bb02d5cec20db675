// What every build's calc-replay shares: its command line, the keys it knows, and the lines it prints.
//   calc-replay [--state] [--screenshot FILE] [--language LANG] [KEY...]   (no KEY: keys on stdin)
#pragma once

#include "engine/calculator_state.h"
#include "form/control_table.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace replay {

struct Request {
    bool withState = false;
    std::string screenshot;                    // empty: none
    std::string language;                      // "de", "pt_BR": the window in it; empty: English
    std::vector<const form::ControlRow*> keys; // each a key or option button of the window
};

// Reads the command line, and the keys from `in` when it names none. An unknown key is reported on standard
// error and gives nothing: the tool then exits with status 2.
std::optional<Request> parse(int argc, char* argv[], std::istream& in);

// The control a key name clicks: a key's caption, DEG or RAD. "Off" would end the run and is no key here.
const form::ControlRow* controlFor(std::string_view key);

// The line printed after a key: the whole display and, with --state, the calculator's variables.
std::string line(const std::string& display, const engine::CalculatorState* state);

} // namespace replay
