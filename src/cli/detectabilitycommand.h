#pragma once

namespace CLI {
class App;
}

/// `orbiquest9-cli detectability FILE [--periods A:B:N] [--k A:B:N | --msini A:B:N]
/// [--trials N] [--fap X] [--seed S] [--simulated-noise] [--json]`: what the
/// measurements could have found, an injection–recovery map over period and K
/// (detection/injectionrecovery.h) with its 50 % and 90 % contours.
///
/// The planets the search already finds in the file (Fitting::findPlanets
/// with the same false-alarm threshold) are removed first and listed; the
/// map's planets are injected into the residuals, or with
/// --simulated-noise into fresh noise of the measurements' uncertainties.
/// Output goes to standard output. A file or data that cannot be used ends
/// the run with a CLI::RuntimeError of exit code 1 whose text is
/// "orbiquest9-cli: <reason>"; a bad command line with CLI11's parse errors.
void registerDetectabilityCommand(CLI::App &app);
