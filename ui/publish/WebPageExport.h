#pragma once
#include "platform/Status.h"

class QWidget;

namespace orvex {

class Publishing;

// File > Export > Results web page: asks for a championship when there is
// any, then for the file, and writes the page whole or not at all.
Status ExportWebPage(QWidget* parent, Publishing& publishing);

}  // namespace orvex
