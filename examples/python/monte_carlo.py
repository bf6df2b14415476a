#!/usr/bin/python3
"""Monte Carlo runs of one pile on a Dask cluster.

Reads an example case, draws N variants of its soil parameters (friction
angle, undrained shear strength, unit weight: one factor of each per variant,
applied to every soil point, lognormal or normal with mean 1 and the given
coefficients of variation), runs them on a Dask `distributed` cluster and
prints the mean, the 5 % and 50 % quantiles of the capacity at the tip of the
load-transfer method and the probability that it falls below a design load.
The histogram is written as SVG.

    monte_carlo.py [CASE_DIR] -n 10000 --workers 2 --design-load 500
    monte_carlo.py CASE_DIR --scheduler tcp://10.0.0.5:8786   (an existing cluster)

The workers import `zolan`: on an existing cluster it must be installed there,
and CASE_DIR must be readable under the same path on every worker.
"""
import argparse
import functools
import os
import sys
import time

import numpy as np

import zolan

# Soil table columns varied, and the coefficient-of-variation option of each.
VARIED = (("friction_angle", "cov_phi"), ("su_undisturbed", "cov_su"),
          ("su_remolded", "cov_su"), ("unit_weight", "cov_gamma"))
# A run allocates its analysis model (about 0.9 MB) afresh. glibc maps and
# unmaps blocks that large for each run, and the page faults cost ten times
# the computation; these thresholds keep them on the heap. They act on
# processes started with them in the environment: the local cluster's
# workers (set them on the workers of an existing cluster too).
MALLOC_TUNING = {"MALLOC_MMAP_THRESHOLD_": "16777216", "MALLOC_TRIM_THRESHOLD_": "134217728"}
# Normal factors are kept above this, so that no drawn value turns negative.
NORMAL_FACTOR_FLOOR = 0.05


def case_files(directory):
    """The input and CPT data file named in DIR/names.dat (lines 5 and 8)."""
    with open(os.path.join(directory, "names.dat")) as names:
        lines = [line.strip() for line in names]
    cpt = lines[7] if len(lines) > 7 and lines[7] else None
    return (os.path.join(directory, lines[4]),
            os.path.join(directory, cpt) if cpt else None)


def draw_factors(n, covs, distribution="lognormal", seed=1):
    """An (n, 3) array of factors (friction angle, strength, unit weight), mean 1."""
    rng = np.random.default_rng(seed)
    covs = np.asarray(covs, dtype=float)
    z = rng.standard_normal((n, len(covs)))
    if distribution == "lognormal":
        sigma = np.sqrt(np.log1p(covs ** 2))
        return np.exp(z * sigma - sigma ** 2 / 2)
    return np.maximum(1.0 + z * covs, NORMAL_FACTOR_FLOOR)


@functools.lru_cache(maxsize=4)
def _base_case(input_path, cpt_path):
    return zolan.read_case(input_path, cpt_path)


def tip_capacities(input_path, cpt_path, factors):
    """Capacity at the tip of the load-transfer method for each row of factors."""
    base = _base_case(input_path, cpt_path)
    columns = [zolan.SOIL_COLUMNS.index(name) for name, _ in VARIED]
    factor_of = [("cov_phi", "cov_su", "cov_gamma").index(cov) for _, cov in VARIED]
    table = base.soil_table
    case = base.copy()
    out = []
    for row in np.atleast_2d(factors):
        varied = table.copy()
        for column, k in zip(columns, factor_of):
            varied[:, column] *= row[k]
        case.soil_table = varied
        out.append(zolan.analyse(case).tip_capacity)
    return out


def run_on_cluster(client, input_path, cpt_path, factors, batch=50):
    """Capacities of all variants, in order, computed in batches on the cluster."""
    chunks = [factors[i:i + batch] for i in range(0, len(factors), batch)]
    futures = client.map(tip_capacities, [input_path] * len(chunks),
                         [cpt_path] * len(chunks), chunks, pure=False)
    return [value for chunk in client.gather(futures) for value in chunk]


def histogram_svg(values, path, design_load=None, unit="", bins=40):
    """A histogram of `values` as a small SVG file."""
    counts, edges = np.histogram(values, bins=bins)
    width, height, pad = 640, 360, 40
    top = counts.max() or 1
    lo, hi = edges[0], edges[-1] if edges[-1] > edges[0] else edges[0] + 1
    x = lambda v: pad + (v - lo) / (hi - lo) * (width - 2 * pad)
    y = lambda c: height - pad - c / top * (height - 2 * pad)
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">',
             f'<rect width="{width}" height="{height}" fill="white"/>']
    for c, a, b in zip(counts, edges[:-1], edges[1:]):
        parts.append(f'<rect x="{x(a):.1f}" y="{y(c):.1f}" width="{max(x(b) - x(a) - 1, 0.5):.1f}" '
                     f'height="{height - pad - y(c):.1f}" fill="steelblue"/>')
    parts.append(f'<line x1="{pad}" y1="{height - pad}" x2="{width - pad}" y2="{height - pad}" '
                 'stroke="black"/>')
    for v in (lo, (lo + hi) / 2, hi):
        parts.append(f'<text x="{x(v):.1f}" y="{height - pad + 16}" font-size="12" '
                     f'text-anchor="middle">{v:.0f}</text>')
    if design_load is not None and lo <= design_load <= hi:
        parts.append(f'<line x1="{x(design_load):.1f}" y1="{pad}" x2="{x(design_load):.1f}" '
                     f'y2="{height - pad}" stroke="red" stroke-dasharray="4"/>')
    parts.append(f'<text x="{width / 2}" y="{height - 6}" font-size="13" text-anchor="middle">'
                 f'capacity at the tip ({unit}), {len(values)} variants</text>')
    parts.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(parts) + "\n")


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("case", nargs="?",
                   default=os.path.join(here, "..", "english-open-pipe"),
                   help="folder with names.dat and its input files")
    p.add_argument("-n", "--draws", type=int, default=1000)
    p.add_argument("--distribution", choices=("lognormal", "normal"), default="lognormal")
    p.add_argument("--cov-phi", type=float, default=0.10, help="of the friction angle")
    p.add_argument("--cov-su", type=float, default=0.30, help="of the undrained strength")
    p.add_argument("--cov-gamma", type=float, default=0.05, help="of the unit weight")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--design-load", type=float, default=500.0)
    p.add_argument("--workers", type=int, default=2, help="of the local cluster")
    p.add_argument("--scheduler", help="address of an existing Dask scheduler")
    p.add_argument("--batch", type=int, default=50, help="variants per task")
    p.add_argument("--no-malloc-tuning", action="store_true",
                   help="start the local workers without MALLOC_TUNING")
    p.add_argument("--svg", default="capacity_histogram.svg")
    a = p.parse_args(argv)

    from dask.distributed import Client, LocalCluster

    input_path, cpt_path = (os.path.abspath(f) if f else None for f in case_files(a.case))
    base = zolan.read_case(input_path, cpt_path)
    unit = "kips" if base.unit_system == 1 else "kN"
    factors = draw_factors(a.draws, (a.cov_phi, a.cov_su, a.cov_gamma), a.distribution, a.seed)

    cluster = None
    if a.scheduler:
        client = Client(a.scheduler)
    else:
        # Worker processes find the module where this process found it.
        module_dir = os.path.dirname(os.path.abspath(zolan.__file__))
        os.environ["PYTHONPATH"] = os.pathsep.join(
            [module_dir] + [p for p in os.environ.get("PYTHONPATH", "").split(os.pathsep) if p])
        if not a.no_malloc_tuning:
            for name, value in MALLOC_TUNING.items():
                os.environ.setdefault(name, value)
        cluster = LocalCluster(n_workers=a.workers, threads_per_worker=1,
                               dashboard_address=None, host="127.0.0.1")
        client = Client(cluster)
    try:
        start = time.perf_counter()
        values = np.array(run_on_cluster(client, input_path, cpt_path, factors, a.batch))
        wall = time.perf_counter() - start
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    q05, q50 = np.quantile(values, [0.05, 0.5])
    print(f"variants            : {len(values)} ({a.distribution}, CoV phi {a.cov_phi}, "
          f"su {a.cov_su}, unit weight {a.cov_gamma}, seed {a.seed})")
    print(f"capacity at the tip : mean {values.mean():.1f} {unit}, 5 % {q05:.1f} {unit}, "
          f"50 % {q50:.1f} {unit}")
    print(f"P(capacity < {a.design_load:g} {unit}) = {np.mean(values < a.design_load):.4f}")
    print(f"wall time           : {wall:.2f} s")
    histogram_svg(values, a.svg, a.design_load, unit)
    print(f"histogram           : {a.svg}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
