#pragma once
#include <memory>

#include "platform/Platform.h"

namespace orvex {

// Owns the Qt implementations of the platform interfaces and installs them.
// Created in main() after the QApplication exists.
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    const Platform& interfaces() const { return platform_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    Platform platform_;
};

}  // namespace orvex
