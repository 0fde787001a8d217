#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <string>

// Why the parser refused a program's arguments, in the programs' words:
// an unknown option as it was typed ("オプション '-x.txt' はありません"),
// an option that needs a value ending the line, or the parser's own text.
std::string CommandLineProblem(const QCommandLineParser& parser, const QStringList& arguments);
