// Numbered run-time errors: the failures the engine raises and, where it must, handles.
#pragma once

#include <stdexcept>
#include <string>

namespace numtext {

inline constexpr int kInvalidProcedureCall = 5; // outside a function's domain (sqrt, log, power)
inline constexpr int kOverflow = 6;             // result beyond the Single range, invalid operation
inline constexpr int kDivisionByZero = 11;      // a non-zero number divided by zero
inline constexpr int kTypeMismatch = 13;        // a strict conversion given a text that is not a number

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number)
        : std::runtime_error("run-time error " + std::to_string(number)), m_number(number)
    {
    }
    int number() const { return m_number; }

private:
    int m_number;
};

// Resume-next mode: each step runs to its end or to its first run-time error; the number of the last
// error raised stays readable until the operation returns.
class ResumeNext {
public:
    template <class Step> void step(Step&& body)
    {
        try {
            body();
        } catch (const RuntimeError& error) {
            m_number = error.number();
        }
    }
    int number() const { return m_number; }

private:
    int m_number = 0;
};

} // namespace numtext
