// tintry-chart --make-profile: a printer profile from a measured chart, made
// by ArgyllCMS colprof, checked honestly and, when asked, installed.
//
//   tintry-chart --make-profile MEASURED.ti3 --out PRINTER.icc
//                [--quality low|medium|high|ultra] [--black LEVEL]
//                [--ink-limit PERCENT] [--description TEXT] [--no-unseen]
//                [--install] [--json CHECK.json]
//
// Progress lines go to standard error, the check to standard output. Exit
// status: 0 when the profile is made (and installed, when asked), 2 for a
// command line that cannot be run, 1 for any other failure, with one line
// "tintry-chart: <what>: <why>" on standard error. An interrupt (Ctrl+C,
// TERM, HUP) ends colprof with everything it started, writes nothing, and
// exits with 1.
#pragma once

class MakeProfileCommand {
public:
    static bool wanted(int argc, char** argv);
    static int run(int argc, char** argv);
    // The section --help adds for this mode.
    static const char* usage();
};
