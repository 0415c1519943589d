"""The commit-msg hook on real commits in a scratch repository, and its installation by
scripts/install-hooks into a checkout and into a worktree of it."""

import os
import shutil
import subprocess
import tempfile
import unittest

SCRIPTS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def git(repo, *args, check=True):
    env = dict(os.environ, GIT_AUTHOR_NAME="t", GIT_AUTHOR_EMAIL="t@example.org", GIT_COMMITTER_NAME="t",
               GIT_COMMITTER_EMAIL="t@example.org", GIT_CONFIG_GLOBAL=os.devnull, GIT_CONFIG_NOSYSTEM="1")
    return subprocess.run(["git", "-C", repo, *args], capture_output=True, text=True, env=env, check=check)


@unittest.skipUnless(shutil.which("git"), "git is not installed")
class CommitMsgHook(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.root)
        self.repo = os.path.join(self.root, "repo")
        # A copy of the scripts inside the scratch checkout, as in a clone of the project.
        shutil.copytree(SCRIPTS, os.path.join(self.repo, "scripts"), ignore=shutil.ignore_patterns("tests"))
        git(self.repo, "init", "-q", "-b", "main")
        git(self.repo, "add", "scripts")
        git(self.repo, "commit", "-q", "-m", "Scripts")

    def install(self, checkout):
        return subprocess.run([os.path.join(checkout, "scripts", "install-hooks")], capture_output=True, text=True,
                              check=True)

    def commit(self, checkout, message):
        with open(os.path.join(checkout, "file"), "a") as f:
            f.write("x")
        git(checkout, "add", "file")
        return git(checkout, "commit", "-q", "-m", message, check=False)

    def test_subjects_over_72_characters_are_refused(self):
        self.install(self.repo)
        cases = [
            ("a" * 72, True),
            ("a" * 73, False),
            ("ä" * 72, True),  # characters, not bytes
            ("Short subject\n\n" + "a long body line " * 20, True),
            ("b" * 80 + "\n\nbody", False),
            ("Merge branch 'task-with-a-rather-long-name-that-goes-on' into main, resolving the conflicts", True),
        ]
        for message, accepted in cases:
            with self.subTest(message=message[:40]):
                result = self.commit(self.repo, message)
                self.assertEqual(result.returncode == 0, accepted, result.stderr)
                if not accepted:
                    self.assertIn("at most 72 are allowed", result.stderr)

    def test_installation_is_idempotent_and_reaches_worktrees(self):
        first = self.install(self.repo)
        self.assertIn("commit-msg installed", first.stdout)
        self.assertEqual(self.install(self.repo).stdout, "")
        worktree = os.path.join(self.root, "wt")
        git(self.repo, "worktree", "add", "-q", "-b", "task", worktree)
        self.install(worktree)  # .git is a file there; the hooks folder is the repository's
        self.assertNotEqual(self.commit(worktree, "c" * 73).returncode, 0)
        self.assertEqual(self.commit(worktree, "Fits").returncode, 0)

    def test_a_hook_of_the_developers_own_is_left_alone(self):
        hooks = git(self.repo, "rev-parse", "--git-path", "hooks").stdout.strip()
        hook = os.path.join(self.repo, hooks, "commit-msg")
        os.makedirs(os.path.dirname(hook), exist_ok=True)
        with open(hook, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(hook, 0o755)
        result = self.install(self.repo)
        self.assertIn("left as it is", result.stderr)
        with open(hook) as f:
            self.assertEqual(f.read(), "#!/bin/sh\nexit 0\n")

    def test_outside_a_checkout_nothing_happens(self):
        plain = os.path.join(self.root, "plain")
        shutil.copytree(SCRIPTS, os.path.join(plain, "scripts"), ignore=shutil.ignore_patterns("tests"))
        result = self.install(plain)
        self.assertEqual(result.stdout, "")


if __name__ == "__main__":
    unittest.main()
