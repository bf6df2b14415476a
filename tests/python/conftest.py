import os

import pytest

SOURCE_DIR = os.environ.get(
    "ZOLAN_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))


def example(name):
    """Input, CPT and expected report of an example folder."""
    folder = os.path.join(SOURCE_DIR, "examples", name)
    with open(os.path.join(folder, "names.dat")) as f:
        lines = [line.strip() for line in f]
    return (os.path.join(folder, lines[4]), os.path.join(folder, lines[7]),
            os.path.join(SOURCE_DIR, "tests", "expected", name, lines[5]))


@pytest.fixture
def open_pipe():
    return example("english-open-pipe")
