"""Fixtures of the end-to-end suite: one Xvfb display and one Wine prefix for the whole
run, a fresh data folder and fresh processes for every test, and a screenshot plus the
logs kept for every failed test."""

import os
import shutil
from pathlib import Path

import pytest

from harness import Display, Session
from program import App


def _stage_dir():
    stage = os.environ.get("STAGE_DIR")
    if not stage:
        stage = Path(__file__).resolve().parents[2] / "build" / "win" / "stage"
    return Path(stage).resolve()


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, "report_" + report.when, report)


@pytest.fixture(scope="session")
def session():
    stage = _stage_dir()
    for needed in ("Tavrel.exe", "Pondrel.exe", "lang.dll", "Skins/skin_Config.ini"):
        if not (stage / needed).exists():
            pytest.skip(f"the run folder {stage} has no {needed} yet")
    build_root = stage.parent.parent
    # Wine wants an absolute prefix.
    prefix = Path(os.environ.get("E2E_WINEPREFIX", build_root / "e2e-wineprefix")).resolve()
    artifacts = Path(os.environ.get("E2E_ARTIFACTS", build_root / "e2e-artifacts")).resolve()
    shutil.rmtree(artifacts, ignore_errors=True)
    artifacts.mkdir(parents=True)
    display = Display(int(os.environ.get("E2E_DISPLAY", "99")))
    display.start()
    s = Session(stage, prefix, display, artifacts)
    s.prepare()
    s.stop_server()
    s.start_server()
    yield s
    s.stop_server()
    display.stop()


@pytest.fixture
def app(session, request, tmp_path):
    session.fresh_data_folder()
    a = App(session, tmp_path)
    yield a
    failed = any(getattr(request.node, "report_" + w, None) is not None and
                 getattr(request.node, "report_" + w).failed for w in ("setup", "call"))
    if failed:
        name = request.node.name
        try:
            shot = session.screenshot(session.artifacts / f"{name}.png")
            print(f"\nscreenshot of the failed test: {shot}")
        except Exception as error:  # the display may be gone; keep the logs anyway
            print(f"\nno screenshot: {error}")
        for log in tmp_path.glob("*.log"):
            shutil.copy(log, session.artifacts / f"{name}-{log.name}")
        if session.data_dir.exists():
            shutil.copytree(session.data_dir, session.artifacts / f"{name}-data", dirs_exist_ok=True)
    a.stop()
    session.end_all()
