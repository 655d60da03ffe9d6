// Shared by the chart window tests: a chart window with a store of its own.
#pragma once

#include "ChartTestKit.h"
#include "Colourcheck.h"
#include "KvRegistry.h"

#include <QPointer>

namespace chartkit {

// A chart window with a store of its own, gone with its container at the end
// of the test.
struct Window {
    Window() : chart(new Colourcheck(&store)) {}
    ~Window() { delete container; }
    KvRegistry store;
    Colourcheck* chart;
    QPointer<QWidget> container = chart->container;
};

} // namespace chartkit
