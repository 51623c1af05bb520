#!/usr/bin/env python3
"""Prints the README's performance table from a benchmark run saved as JSON.

    build-bench/bench/velloran_bench --benchmark_out=bench.json --benchmark_out_format=json
    tools/bench_table.py bench.json

Each row gives the figure measured, the floor it is set against (measured in the same run),
their ratio and the target; rows whose benchmark did not run are left out. The targets missed
are listed after the table.
"""

import json
import os
import sys


def load(path):
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for run in data.get("benchmarks", []):
        if run.get("run_type", "iteration") != "iteration" or run.get("error_occurred"):
            continue
        # "BM_Save/iterations:6/manual_time" and "BM_ResizeTo4096/9/..." keep their argument.
        parts = run["name"].split("/")
        key = "/".join(p for p in parts if ":" not in p and p != "manual_time")
        runs[key] = run
    return data.get("context", {}), runs


def ms(run):
    """The run's time per iteration in milliseconds."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run.get("time_unit", "ns")]
    return run["real_time"] * scale


def fmt_ms(value):
    if value >= 100:
        return f"{value:.0f} ms"
    if value >= 1:
        return f"{value:.1f} ms"
    return f"{value * 1000:.0f} µs"


def fmt_bytes(value):
    if value >= 1 << 20:
        return f"{value / (1 << 20):.1f} MiB"
    if value >= 1 << 10:
        return f"{value / (1 << 10):.1f} KiB"
    return f"{value:.0f} B"


def rows(runs):
    """(row, measured, floor, ratio, target, met) for every benchmark that ran; met is None
    where the target is no number."""
    out = []

    def run(name):
        return runs.get(name)

    if r := run("BM_MapMemory"):
        out.append(("Memory of the map (9 × 4096², 151 M cells)",
                    f"{r['bytes_per_cell']:.2f} B/cell, {r['map_MB']:.0f} MiB",
                    f"{r['floor_bytes_per_cell']:.0f} B/cell (the tile numbers)",
                    f"{r['ratio']:.2f} ×", "≤ 2.5 B/cell, < 400 MB",
                    r["bytes_per_cell"] <= 2.5 and r["map_MB"] < 400))
    if r := run("BM_SaveBigMap"):
        out.append((f"Save ({r['file_MB'] * 1.048576:.0f} MB file, {r['file_MB']:.0f} MiB)", fmt_ms(r["measured_ms"]),
                    f"{fmt_ms(r['floor_ms'])} (one write + fsync)",
                    f"{r['ratio']:.2f} × (best runs {r['best_ratio']:.2f} ×)", "≤ 1.5 ×",
                    r["ratio"] <= 1.5))
    if r := run("BM_OpenBigMap"):
        out.append(("Open (same file, in the page cache)", fmt_ms(r["measured_ms"]),
                    f"{fmt_ms(r['floor_ms'])} (one read)",
                    f"{r['ratio']:.2f} × (best runs {r['best_ratio']:.2f} ×)", "≤ 1.5 ×",
                    r["ratio"] <= 1.5))
    if r := run("BM_SaveBigMap"):
        out.append(("Peak memory during Save, above the map",
                    f"+{r['peak_above_map_MB']:.1f} MiB", "—", "—", "+64 MB or less",
                    r["peak_above_map_MB"] <= 64))
    if r := run("BM_OpenBigMap"):
        out.append(("Peak memory during Open, above the map open before",
                    f"+{r['peak_above_map_MB']:.0f} MiB", "—", "—", "—", None))
    if r := run("BM_UndoStamp"):
        out.append(("Undo entry of a 3 × 3 stamp", fmt_bytes(r["undo_bytes"]),
                    f"{r['cells_changed']:.0f} cells", "—", "follows the cells changed", None))
    if r := run("BM_UndoSmallFill"):
        out.append(("Undo entry of a 100-cell fill on a 4096² layer", fmt_bytes(r["undo_bytes"]),
                    f"{r['cells_changed']:.0f} cells", "—", "a few KB",
                    r["undo_bytes"] <= 8 * 1024))
    if r := run("BM_UndoLayerFill"):
        out.append(("Undo entry of a whole-layer fill (4096²)", fmt_bytes(r["undo_bytes"]),
                    f"{r['cells_changed'] / 1e6:.1f} M cells",
                    f"{r['bytes_per_cell']:.2f} B/cell", "follows the cells changed", None))
    if r := run("BM_UndoHistoryAfterLayerFills"):
        out.append((f"Undo history after {r['fills']:.0f} whole-layer fills",
                    f"{r['history_MB']:.0f} MiB in {r['steps_kept']:.0f} steps",
                    f"limit {r['limit_MB']:.0f} MiB", "—", "bounded by UndoMemoryMB",
                    r["history_MB"] <= r["limit_MB"]))
    if r := run("BM_UndoSmallFill"):
        out.append(("Time of a 100-cell fill on a 4096² layer", fmt_ms(r["fill_us"] / 1000),
                    f"{fmt_ms(r['layer_pass_us'] / 1000)} (one read of the layer); "
                    f"{fmt_ms(r['small_layer_fill_us'] / 1000)} on a 128² layer",
                    f"{r['ratio']:.3f} × (× {r['ratio_to_small_layer']:.1f} of the 128² fill)",
                    "no pass over the layer", None))
    if r := run("BM_FillRandom"):
        out.append(("Fill Random, 256 × 256 cells, 32 × 32 brush", fmt_ms(r["measured_ms"]),
                    f"{fmt_ms(r['floor_ms'])} ({r['rand_calls'] / 1e6:.1f} M rand calls)",
                    f"{r['ratio']:.2f} ×", "small beside the rand calls", None))
    if r := run("BM_StartWith4096Map"):
        out.append(("Start-up with a 4096 × 4096 map, to the first frame", fmt_ms(ms(r)), "—",
                    "—", "< 1 s", ms(r) < 1000))
    for layers in (1, 9):
        if r := run(f"BM_ResizeTo4096/{layers}"):
            out.append((f"Map > ReSize 128² → 4096², {layers} layer{'s' if layers > 1 else ''}",
                        fmt_ms(ms(r)), "—", "—", "< 1 s", ms(r) < 1000))
    frames = [("BM_FrameHugeMap", "Frame over a 4096² map, 800 × 600"),
              ("BM_FrameNineLayers800x600", "Frame of nine 256² layers, 800 × 600"),
              ("BM_FrameNineLayers1920x1080", "Frame of nine 256² layers, 1920 × 1080"),
              ("BM_FrameNineHugeLayers1920x1080", "Frame of nine 4096² layers, 1920 × 1080")]
    for name, label in frames:
        if r := run(name):
            out.append((label, fmt_ms(r["frame_us"] / 1000),
                        f"{fmt_ms(r['floor_us'] / 1000)} (64² map, 800 × 600)",
                        f"{r['ratio']:.2f} ×",
                        "≈ 1 × (the view, not the map)" if name == "BM_FrameHugeMap" else "—",
                        None))
    if r := run("BM_FrameDuringRecoveryWrite"):
        out.append(("Painting frame while a recovery copy of 9 × 4096² is written",
                    f"{fmt_ms(r['frame_us'] / 1000)} (95th percentile "
                    f"{fmt_ms(r['p95_frame_us'] / 1000)})",
                    f"{fmt_ms(r['floor_us'] / 1000)} (painting frame, no copy)",
                    f"{r['ratio']:.2f} ×", "≤ 1.5 ×", r["ratio"] <= 1.5))
        out.append(("Frame that starts the copy (the fork, between strokes)",
                    fmt_ms(r["fork_frame_ms"]), "—", "—", "—", None))
        out.append(("Recovery copy of the same map (written in the background)",
                    fmt_ms(r["copy_ms"]), f"{fmt_ms(r['save_ms'])} (Save of the map)",
                    f"{r['copy_vs_save']:.2f} ×", "—", None))
    return out


def machine(context):
    model = ""
    try:
        with open("/proc/cpuinfo") as f:
            model = next((line.split(":", 1)[1].strip() for line in f
                          if line.startswith("model name")), "")
        with open("/proc/meminfo") as f:
            kb = int(next(line.split()[1] for line in f if line.startswith("MemTotal")))
        memory = f"{kb / (1 << 20):.0f} GB RAM"
    except (OSError, StopIteration, ValueError):
        memory = ""
    cores = context.get("num_cpus", os.cpu_count())
    mhz = context.get("mhz_per_cpu")
    parts = [p for p in (model, f"{cores} cores" + (f" at {mhz} MHz" if mhz else ""), memory) if p]
    return ", ".join(parts)


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    context, runs = load(sys.argv[1])
    table = rows(runs)
    print("| | measured | floor in the same run | ratio | target |")
    print("|---|---|---|---|---|")
    for row, measured, floor, ratio, target, _ in table:
        print(f"| {row} | {measured} | {floor} | {ratio} | {target} |")
    print()
    print(f"Machine: {machine(context)}; run on {context.get('date', 'an unknown date')}.")
    missed = [row for row, *_, met in table if met is False]
    if missed:
        print("Targets missed: " + "; ".join(missed) + ".")
    else:
        print("Every target with a number was met.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
