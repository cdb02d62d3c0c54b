#pragma once

#include <stdexcept>
#include <string>

// An unrecoverable failure, thrown as the name of the failing operation
// ("clGroup::Initialize"). The code that can tolerate it catches it.
class clOperationError : public std::runtime_error {
public:
    explicit clOperationError(const std::string& operation) : std::runtime_error(operation) {}
};
