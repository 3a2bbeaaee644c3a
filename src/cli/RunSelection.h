#pragma once

#include "ops/CreationRun.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

class TDataModule1;

// The selection of a payment-file run as "create" and "sepa create" take it from their options.
namespace RunSelection {

// The options both commands share: due range, states, target, --overwrite, --mark-done, --data-dir.
QList<QCommandLineOption> options();
// Kind, states (open when none is given), due range and target.
CreationRun::Input input(const QCommandLineParser &parser);
// The client of --client as the originator; an unknown number is an error.
void takeClient(TDataModule1 &data, const QCommandLineParser &parser, CreationRun::Input &input);

} // namespace RunSelection
