#pragma once

#include <memory>
#include <stdexcept>
#include <utility>

// A program-wide seam: one installed implementation that code reaches through
// Interface::instance(). The program installs the real one in main(); tests
// install a double and get the previous one back to restore it.
template <typename Interface>
class Seam
{
public:
    virtual ~Seam() = default;

    static Interface &instance()
    {
        if (!slot())
            throw std::logic_error("platform seam used before an implementation was installed");
        return *slot();
    }

    static std::unique_ptr<Interface> install(std::unique_ptr<Interface> implementation)
    {
        std::swap(slot(), implementation);
        return implementation;
    }

    static bool installed() { return slot() != nullptr; }

private:
    static std::unique_ptr<Interface> &slot()
    {
        static std::unique_ptr<Interface> current;
        return current;
    }
};
