#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
#
# Runs examples/cluster/export.sbatch as a job array on a private single-node Slurm and checks
# that the tasks together write exactly the files one local export writes, byte for byte; then
# as a PDF array joined by a job that waits for it, as examples/cluster/README.md tells, and
# checks the joined file against one local PDF export.
#
#   SlurmExportTest.sh QUILLET_CLI SOURCE_DIR
#
# The cluster (munged, slurmctld, slurmd) lives in a scratch folder of its own, with its own
# munge key and socket and ports picked at run time, so it disturbs no Slurm or munge of the
# machine; it is stopped by its PID files however the test ends. Exit 0 passed, 1 failed,
# 77 skipped: only when the Slurm and munge packages are not installed or we are not root.
set -euo pipefail

cli="$(realpath "$1")"
source_dir="$(realpath "$2")"
script="$source_dir/examples/cluster/export.sbatch"
demo="$source_dir/examples/demo"
tasks=4
demo_pages=200 # the records of examples/demo/records.xlsx, one page each

PATH="$PATH:/usr/sbin:/sbin"
# A run from inside some other job must not talk to that job's cluster.
while IFS='=' read -r name _; do
    unset "$name"
done < <(env | grep -E '^(SLURM_[A-Z_]*|JOB_COMPLETION_INDEX)=' || true)

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] ||
    skip "a private Slurm runs its daemons and jobs as root; this user is $(id -un)"
missing=()
for tool in munged slurmctld slurmd sbatch sinfo squeue scancel; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ ${#missing[@]} -eq 0 ] ||
    skip "not installed: ${missing[*]} (Debian packages slurmd slurmctld slurm-client munge;" \
        "scripts/setup installs them)"

work="$(mktemp -d "${TMPDIR:-/tmp}/quillet-slurm.XXXXXX")"
passed=0

print_logs() {
    local log
    for log in "$work"/munged.log "$work"/slurmctld.log "$work"/slurmd.log \
        "$work"/quillet-export-*.log; do
        [ -f "$log" ] || continue
        echo "----- $log"
        tail -n 25 "$log"
    done
}

fail() {
    echo "FAILED: $*"
    print_logs
    exit 1
}

# The daemons write their PID files after they detach: until then the test could not stop
# them, so it waits for each before going on.
started() {
    local daemon="$1"
    for _ in $(seq 100); do
        [ -s "$work/$daemon.pid" ] && return 0
        sleep 0.1
    done
    fail "$daemon wrote no PID file $work/$daemon.pid"
}

# Stops whatever of the cluster runs: jobs first, so that no job step outlives its slurmd,
# then the daemons by their PID files.
stop_cluster() {
    if [ -s "$work/slurmctld.pid" ]; then
        scancel --quiet --user=root 2>/dev/null || true
        for _ in $(seq 30); do
            [ -z "$(squeue --noheader 2>/dev/null)" ] && break
            sleep 1
        done
    fi
    local daemon pid pids=()
    for daemon in slurmd slurmctld munged; do
        [ -s "$work/$daemon.pid" ] || continue
        pid="$(cat "$work/$daemon.pid")"
        kill "$pid" 2>/dev/null && pids+=("$pid")
    done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.2
        done
        if kill -0 "$pid" 2>/dev/null; then
            echo "process $pid ignored SIGTERM; killing it"
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
}

finish() {
    local status=$?
    stop_cluster
    if [ "$passed" -eq 1 ]; then
        rm -rf "$work"
    else
        echo "scratch folder kept: $work"
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 1' INT TERM HUP

# --- the cluster ---------------------------------------------------------------------------

node="$(hostname -s)"
read -r controller_port node_port < <(python3 -c '
import socket
sockets = [socket.socket() for _ in range(2)]
for s in sockets:
    s.bind(("", 0))
print(*(s.getsockname()[1] for s in sockets))
')

if command -v mungekey >/dev/null; then
    mungekey --create --keyfile="$work/munge.key"
else
    dd if=/dev/urandom of="$work/munge.key" bs=1 count=1024 status=none
fi
chmod 600 "$work/munge.key"
munged --force --socket="$work/munge.sock" --key-file="$work/munge.key" \
    --log-file="$work/munged.log" --pid-file="$work/munged.pid" --seed-file="$work/munged.seed" ||
    fail "munged did not start"
started munged

mkdir -p "$work/state" "$work/spool"
cat >"$work/slurm.conf" <<CONF
ClusterName=quillettest
SlurmctldHost=$node(127.0.0.1)
AuthType=auth/munge
AuthInfo=socket=$work/munge.sock
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
SlurmctldPort=$controller_port
SlurmdPort=$node_port
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=quillet Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$work/slurm.conf"

slurmctld -f "$SLURM_CONF" -i || fail "slurmctld did not start"
started slurmctld
slurmd -f "$SLURM_CONF" || fail "slurmd did not start"
started slurmd

state=""
for _ in $(seq 60); do
    state="$(sinfo --noheader --format=%T 2>/dev/null || true)"
    [ "$state" = "idle" ] && break
    sleep 0.5
done
[ "$state" = "idle" ] || fail "the node did not come up idle (sinfo says '${state:-nothing}')"
echo "private Slurm up: node $node, ports $controller_port and $node_port"

# --- the export ----------------------------------------------------------------------------

# The scratch folder plays the shared storage every node sees.
cp -r "$demo" "$work/demo"
cd "$work"

echo "sbatch --wait --array=0-$((tasks - 1)) export.sbatch"
submitted=0
QUILLET_CLI="$cli" PROJECT=demo/demo.qlet OUT=array PREFIX=page FORMAT=jpg \
    timeout 240 sbatch --wait --quiet --array=0-$((tasks - 1)) --cpus-per-task=1 "$script" ||
    submitted=$?
[ "$submitted" -eq 0 ] || fail "the job array ended with status $submitted"
logs=(quillet-export-*_*.log)
[ ${#logs[@]} -eq "$tasks" ] ||
    fail "expected $tasks task logs quillet-export-JOB_TASK.log, found: ${logs[*]}"
# --quiet leaves only errors, and every task should find every file the project names.
for log in "${logs[@]}"; do
    [ ! -s "$log" ] || fail "$log is not empty"
done

mkdir local
"$cli" export demo/demo.qlet --out local/page --format jpg --jobs 2 2>local.err ||
    fail "the local export failed: $(cat local.err)"
[ ! -s local.err ] || fail "the local export reported errors: $(head -n 5 local.err)"

# --- the comparison ------------------------------------------------------------------------

(cd local && ls -1) >local.list
(cd array && ls -1) >array.list
[ "$(wc -l <local.list)" -eq "$demo_pages" ] ||
    fail "the local export wrote $(wc -l <local.list) files, not $demo_pages"
diff -u local.list array.list || fail "the array wrote other file names than the local export"
while read -r file; do
    cmp -s "local/$file" "array/$file" || fail "array/$file differs from local/$file"
done <local.list
echo "the $tasks tasks wrote the $demo_pages pages of the local export, byte for byte"

# --- PDF: one file per task, joined by a job that waits for the whole array ----------------

# The way examples/cluster/README.md tells it: the join waits for every task (afterok) and is
# dropped, not left waiting, when one of them fails.
count="$(printf %04d "$tasks")"
array_job="$(QUILLET_CLI="$cli" PROJECT=demo/demo.qlet OUT=pdf PREFIX=forms FORMAT=pdf \
    WORKBOOK=demo/records.xlsx \
    sbatch --parsable --array=0-$((tasks - 1)) --cpus-per-task=1 "$script")" ||
    fail "sbatch refused the PDF array"
array_job="${array_job%%;*}"
echo "sbatch --wait --dependency=afterok:$array_job --wrap 'quillet-cli join-pdf ...'"
joined=0
timeout 240 sbatch --wait --quiet --dependency="afterok:$array_job" --kill-on-invalid-dep=yes \
    --job-name=quillet-join --cpus-per-task=1 --output=quillet-join-%j.log \
    --wrap "\"$cli\" join-pdf pdf/forms.pdf pdf/forms-*-of-$count.pdf" || joined=$?
[ "$joined" -eq 0 ] || fail "the join job ended with status $joined"
for log in quillet-export-"$array_job"_*.log quillet-join-*.log; do
    [ ! -s "$log" ] || fail "$log is not empty"
done

expected="$(for i in $(seq "$tasks"); do printf 'forms-%04d-of-%s.pdf\n' "$i" "$count"; done)"
expected="$(printf '%s\nforms.pdf' "$expected" | sort)"
actual="$(cd pdf && ls -1 | sort)"
[ "$actual" = "$expected" ] ||
    fail "the PDF array and the join wrote $(echo $actual), not $(echo $expected)"
pages="$("$cli" import pdf/forms.pdf --count)" || fail "the joined PDF does not open"
[ "$pages" -eq "$demo_pages" ] || fail "the joined PDF has $pages pages, not $demo_pages"

# The pages on both sides of each seam between shards show what the same pages of one local
# PDF export show.
"$cli" export demo/demo.qlet --out local/forms --format pdf --jobs 2 ||
    fail "the local PDF export failed"
per_task=$((demo_pages / tasks))
seams=(1 "$demo_pages")
for i in $(seq $((tasks - 1))); do
    seams+=($((i * per_task)) $((i * per_task + 1)))
done
for page in "${seams[@]}"; do
    "$cli" import pdf/forms.pdf --page "$page" --dpi 30 --out "joined-$page.png" &&
        "$cli" import local/forms.pdf --page "$page" --dpi 30 --out "local-$page.png" ||
        fail "page $page of the PDFs does not render"
    cmp -s "joined-$page.png" "local-$page.png" ||
        fail "page $page of the joined PDF differs from page $page of the local PDF export"
done
echo "the $tasks PDF parts joined give the $demo_pages pages of the local PDF export"

passed=1
