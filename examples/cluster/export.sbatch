#!/usr/bin/env bash
# One task of a Slurm job array exporting a Quillet project: each task writes its own
# contiguous run of the pages, all into the same output folder.
#
#   sbatch --array=0-15 export.sbatch
#   sbatch --array=0-15 --export=ALL,PROJECT=/shared/forms/tax.qlet,OUT=/shared/out export.sbatch
#
# The variables below come from the submitting shell (sbatch passes its environment on) or
# from --export=ALL,NAME=VALUE,...; every node must see PROJECT, WORKBOOK and OUT at the same
# paths (shared storage). Relative paths start from the job's working folder: the one
# sbatch was run in, or --chdir.
#   QUILLET_CLI  the program (default: quillet-cli from PATH)
#   PROJECT      the project file (default: project.qlet)
#   WORKBOOK     the workbook; empty: the one the project links to, found beside the project
#   OUT          the output folder (default: out), created when missing
#   PREFIX       the file name prefix inside OUT (default: page): page001.jpg, page002.jpg, ...
#   FORMAT       jpg, png or pdf (default: jpg); pdf gives one file per task,
#                PREFIX-0001-of-0016.pdf ..., to be joined with quillet-cli join-pdf
#   PAGES        the page set to split among the tasks (default: every page)
#
#SBATCH --job-name=quillet-export
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=4
#SBATCH --output=quillet-export-%A_%a.log
set -euo pipefail

: "${SLURM_ARRAY_TASK_ID:?submit this script as a job array: sbatch --array=0-15 export.sbatch}"

QUILLET_CLI="${QUILLET_CLI:-quillet-cli}"
PROJECT="${PROJECT:-project.qlet}"
WORKBOOK="${WORKBOOK:-}"
OUT="${OUT:-out}"
PREFIX="${PREFIX:-page}"
FORMAT="${FORMAT:-jpg}"
PAGES="${PAGES:-}"

options=(--out "$OUT/$PREFIX" --format "$FORMAT" --jobs "${SLURM_CPUS_PER_TASK:-1}")
[ -n "$WORKBOOK" ] && options+=(--workbook "$WORKBOOK")
[ -n "$PAGES" ] && options+=(--pages "$PAGES")

mkdir -p "$OUT"
# --shard auto reads the task's place in the array from SLURM_ARRAY_TASK_ID and its
# neighbours; --quiet keeps the log to errors only.
exec "$QUILLET_CLI" export "$PROJECT" "${options[@]}" --shard auto --quiet
