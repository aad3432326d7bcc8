#include "childenvironment.h"

#include <optional>

namespace {
// Written once at start-up, before any other thread exists; only read afterwards.
std::optional<QProcessEnvironment> &remembered()
{
    static std::optional<QProcessEnvironment> environment;
    return environment;
}
} // namespace

void ChildEnvironment::remember() { remembered() = QProcessEnvironment::systemEnvironment(); }

QProcessEnvironment ChildEnvironment::get() { return remembered().value_or(QProcessEnvironment::systemEnvironment()); }
