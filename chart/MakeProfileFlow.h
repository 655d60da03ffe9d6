// "Make profile from measurements..." in the chart window: the chart's
// readings become a printer profile (MakeProfileJob), checked honestly,
// with the choices, the progress and the outcome in dialogs of their own,
// every one through the dialog seam so that the whole flow runs headless in
// a test. Afterwards the profile can be installed, and the same chart judged
// against it in a chart window of its own, beside the verdict it had.
#pragma once

#include <QCoreApplication>

class Colourcheck;

class MakeProfileFlow {
    Q_DECLARE_TR_FUNCTIONS(MakeProfileFlow)

public:
    // Runs the flow for `chart`. The chart window of the chart judged
    // against the new profile, when the user asked for one; else null.
    static Colourcheck* run(Colourcheck* chart);
};
