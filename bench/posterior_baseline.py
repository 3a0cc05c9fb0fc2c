#!/usr/bin/env python3
"""The baseline of bench_posterior: the same posterior, written with numpy,
sampled by emcee with the same walkers, starting points and number of steps.

Usage: posterior_baseline.py PROBLEM.json
Prints "seconds <wall-clock seconds of the sampling>" and the acceptance
fraction; exits 3 with a message when emcee or numpy is missing.
"""
import json
import sys
import time

try:
    import emcee
    import numpy as np
except ImportError as missing:
    print(f"baseline skipped: {missing}")
    sys.exit(3)


def periastron_from_conjunction(tc, period, e, omega):
    """T_p of the orbit whose planet is at inferior conjunction (nu = pi/2 - omega) at tc."""
    nu = np.pi / 2 - omega
    ecc_anomaly = 2 * np.arctan2(np.sqrt(1 - e) * np.sin(nu / 2), np.sqrt(1 + e) * np.cos(nu / 2))
    mean_anomaly = ecc_anomaly - e * np.sin(ecc_anomaly)
    tp = tc - period * mean_anomaly / (2 * np.pi)
    return tp


def eccentric_anomaly(mean_anomaly, e):
    mean_anomaly = np.remainder(mean_anomaly + np.pi, 2 * np.pi) - np.pi
    ecc = mean_anomaly + 0.85 * e * np.sign(np.sin(mean_anomaly))
    for _ in range(30):
        f = ecc - e * np.sin(ecc) - mean_anomaly
        step = f / (1 - e * np.cos(ecc))
        ecc -= step
        if np.max(np.abs(step)) < 1e-12:
            break
    return ecc


def make_log_prob(problem):
    t = np.array(problem["times"])
    y = np.array(problem["velocities"])
    var = np.array(problem["variances"])
    inst = np.array(problem["instruments"], dtype=int)
    lower = np.array(problem["lower"])
    upper = np.array(problem["upper"])
    planets = problem["planets"]
    circular = problem["circular"]
    n_inst = problem["instrumentCount"]
    trend_fitted = problem["trend"]
    jitter_fitted = problem["jitter"]
    reference = problem["referenceTime"]
    stride = 3 if circular else 5

    def log_prob(theta):
        if np.any(theta < lower) or np.any(theta > upper):
            return -np.inf
        offsets = theta[planets * stride:planets * stride + n_inst]
        trend = theta[planets * stride + n_inst] if trend_fitted else 0.0
        model = offsets[inst] + trend * t
        for j in range(planets):
            p = theta[j * stride:(j + 1) * stride]
            period, amplitude = np.exp(p[0]), np.exp(p[1])
            e, omega = 0.0, 0.0
            if not circular:
                e = p[2] ** 2 + p[3] ** 2
                if e >= 1:
                    return -np.inf
                omega = np.arctan2(p[3], p[2])
            tp = periastron_from_conjunction(p[-1] - reference, period, e, omega)
            ecc = eccentric_anomaly(2 * np.pi * (t - tp) / period, e)
            nu = 2 * np.arctan2(np.sqrt(1 + e) * np.sin(ecc / 2), np.sqrt(1 - e) * np.cos(ecc / 2))
            model = model + amplitude * (np.cos(nu + omega) + e * np.cos(omega))
        total = var
        if jitter_fitted:
            jitters = theta[planets * stride + n_inst + (1 if trend_fitted else 0):]
            total = var + jitters[inst] ** 2
        r = y - model
        return -0.5 * np.sum(r * r / total + np.log(2 * np.pi * total))

    return log_prob


def main():
    with open(sys.argv[1]) as source:
        problem = json.load(source)
    log_prob = make_log_prob(problem)
    start = np.array(problem["start"])
    walkers, dimension = start.shape
    # The C++ sampler's mixture of moves, in emcee's own moves.
    moves = [(emcee.moves.DEMove(), 0.8), (emcee.moves.StretchMove(), 0.2)]
    sampler = emcee.EnsembleSampler(walkers, dimension, log_prob, moves=moves)
    began = time.perf_counter()
    sampler.run_mcmc(start, problem["steps"], progress=False)
    print(f"seconds {time.perf_counter() - began:.3f}")
    print(f"acceptance {np.mean(sampler.acceptance_fraction):.3f}")
    print(f"logprob_at_start {log_prob(start[0]):.6f}")


if __name__ == "__main__":
    main()
