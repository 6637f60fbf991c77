#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
#
# Reads the cluster examples the way their schedulers do: examples/cluster/export-job.yaml with
# a YAML parser, examples/cluster/export.sbatch with bash and as Slurm reads its #SBATCH lines,
# and checks what a run depends on: one shard per index, the shared volume really mounted,
# failed pods left for inspection, one log per array task.
#
#   ClusterManifestTest.py SOURCE_DIR

import os
import re
import shlex
import subprocess
import sys
import unittest

import yaml

SOURCE_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else ".")
CLUSTER_DIR = os.path.join(SOURCE_DIR, "examples", "cluster")


def option_value(command, name):
    """The word after `name` in an argument list, None when it is not there."""
    if name not in command:
        return None
    index = command.index(name)
    return command[index + 1] if index + 1 < len(command) else None


def under(path, folder):
    return os.path.commonpath([path, folder]) == folder


class KubernetesJobTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(CLUSTER_DIR, "export-job.yaml"), encoding="utf-8") as file:
            cls.documents = [d for d in yaml.safe_load_all(file) if d is not None]
        jobs = [d for d in cls.documents if d.get("kind") == "Job"]
        assert len(jobs) == 1, f"expected one Job in export-job.yaml, found {len(jobs)}"
        cls.job = jobs[0]
        cls.pod = cls.job["spec"]["template"]["spec"]
        cls.export = cls.pod["containers"][0]
        cls.command = [str(word) for word in
                       cls.export.get("command", []) + cls.export.get("args", [])]

    def test_is_an_indexed_batch_job(self):
        self.assertEqual(self.job["apiVersion"], "batch/v1")
        self.assertEqual(self.job["kind"], "Job")
        self.assertEqual(self.job["spec"]["completionMode"], "Indexed")
        self.assertIn("name", self.job["metadata"])

    def test_runs_an_export_of_its_own_shard(self):
        self.assertEqual(self.command[:2], ["quillet-cli", "export"])
        self.assertEqual(option_value(self.command, "--shard"), "auto")
        self.assertIn("--quiet", self.command)
        self.assertIsNotNone(option_value(self.command, "--out"))

    def test_shards_match_completions(self):
        # Fewer shards than indexes make pods fail; more leave pages unwritten.
        completions = self.job["spec"]["completions"]
        self.assertIsInstance(completions, int)
        self.assertEqual(option_value(self.command, "--shards"), str(completions))
        parallelism = self.job["spec"]["parallelism"]
        self.assertTrue(1 <= parallelism <= completions, parallelism)

    def test_failed_pods_stay_failed(self):
        self.assertEqual(self.pod["restartPolicy"], "Never")
        self.assertIsInstance(self.job["spec"]["backoffLimit"], int)

    def test_mounts_name_declared_volumes_on_shared_claims(self):
        volumes = {v["name"]: v for v in self.pod["volumes"]}
        claims = {d["metadata"]["name"]: d for d in self.documents
                  if d.get("kind") == "PersistentVolumeClaim"}
        containers = self.pod["containers"] + self.pod.get("initContainers", [])
        for container in containers:
            self.assertTrue(container.get("image"), container["name"])
            self.assertTrue(container.get("volumeMounts"), container["name"])
            for mount in container["volumeMounts"]:
                self.assertIn(mount["name"], volumes, container["name"])
                claim = volumes[mount["name"]]["persistentVolumeClaim"]["claimName"]
                self.assertIn(claim, claims)
                self.assertIn("ReadWriteMany", claims[claim]["spec"]["accessModes"])

    def test_project_and_outputs_are_on_the_shared_volume(self):
        mounts = [m["mountPath"] for m in self.export["volumeMounts"]]
        paths = [self.command[2], option_value(self.command, "--out")]
        workbook = option_value(self.command, "--workbook")
        if workbook is not None:
            paths.append(workbook)
        for path in paths:
            self.assertTrue(any(under(path, mount) for mount in mounts), path)

    def test_leaves_the_index_to_kubernetes(self):
        names = [e["name"] for e in self.export.get("env", [])]
        self.assertNotIn("JOB_COMPLETION_INDEX", names)


class SlurmScriptTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.path = os.path.join(CLUSTER_DIR, "export.sbatch")
        with open(cls.path, encoding="utf-8") as file:
            cls.text = file.read()
        # sbatch reads #SBATCH lines up to the first command of the script.
        cls.directives = {}
        for line in cls.text.splitlines():
            stripped = line.strip()
            if stripped.startswith("#SBATCH"):
                name, _, value = stripped[len("#SBATCH"):].strip().partition("=")
                cls.directives[name] = value
            elif stripped and not stripped.startswith("#"):
                break
        cls.export_lines = [shlex.split(line) for line in cls.text.splitlines()
                            if re.search(r'"\$QUILLET_CLI" export\b', line)]

    def test_is_valid_bash(self):
        subprocess.run(["bash", "-n", self.path], check=True)

    def test_asks_for_one_task_and_names_a_log_per_array_task(self):
        self.assertEqual(self.directives.get("--ntasks"), "1")
        self.assertTrue(self.directives.get("--job-name"))
        self.assertTrue(self.directives.get("--cpus-per-task", "").isdigit())
        self.assertIn("%A", self.directives.get("--output", ""))
        self.assertIn("%a", self.directives.get("--output", ""))

    def test_exports_its_own_shard_with_the_cpus_it_was_given(self):
        self.assertEqual(len(self.export_lines), 1, self.export_lines)
        command = self.export_lines[0]
        self.assertEqual(option_value(command, "--shard"), "auto")
        self.assertNotIn("--shards", command)
        self.assertIn("--quiet", command)
        self.assertIn("--jobs", self.text)
        self.assertRegex(self.text, r'--jobs "\$\{?SLURM_CPUS_PER_TASK')

    def test_refuses_to_run_outside_an_array(self):
        environment = {k: v for k, v in os.environ.items() if not k.startswith("SLURM_")}
        run = subprocess.run(["bash", self.path], env=environment, capture_output=True,
                             text=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("--array", run.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
