#!/usr/bin/python3
"""Times the ranking scraper against lxml on the same 50-row ranking page.

Runs scrape_pages_bench (RankingPage50Rows), which writes the page it measures
into a temporary folder, then extracts the same fields from those bytes with
lxml (page counter; id, title, latest chapter, author, update time and state
of every row), checks that both give the same rows (through tavelin-scrape),
and prints both times and their ratio.

    python3 bench/scrape_lxml_compare.py [BUILD_DIR]     (default: build)

Needs python3-lxml (Debian).
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import time

import lxml.html

BOOK_ID = re.compile(r"/book/(\d+)\.html$")


def extract(page_bytes):
    """The fields the reader cuts from a ranking page, the lxml way."""
    doc = lxml.html.fromstring(page_bytes, parser=lxml.html.HTMLParser(encoding="gbk"))
    strong = doc.xpath("//strong")
    page_number = strong[0].text_content() if strong else ""
    stats = doc.xpath("//em[@id='pagestats']")
    page_count = ""
    if stats and "/" in stats[0].text_content():
        page_count = stats[0].text_content().split("/", 1)[1]
    rows = []
    for ul in doc.xpath("//div[@class='toplist']/ul[not(@class)]"):
        def text(cls):
            items = ul.xpath("li[@class='%s']" % cls)
            return items[-1].text_content().strip() if items else ""
        link = ul.xpath("li[@class='t3']/a/@href")
        match = BOOK_ID.search(link[0]) if link else None
        rows.append({
            "id": match.group(1) if match else "",
            "title": text("t3"),
            "latest_chapter": text("t5"),
            "author": text("t4"),
            "update_time": text("t8"),
            "state": text("t1 red12"),
        })
    return page_number, page_count, rows


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    bench = os.path.join(build, "bench", "scrape_pages_bench")
    tool = os.path.join(build, "tools", "scrape", "tavelin-scrape")
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, TAVELIN_BENCH_PAGE_DIR=folder)
        out = subprocess.run(
            [bench, "--benchmark_filter=^RankingPage50Rows$", "--benchmark_format=json",
             "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
            env=env, check=True, capture_output=True, text=True).stdout
        results = {b["name"]: b for b in json.loads(out)["benchmarks"]}
        ours = results["RankingPage50Rows_median"]
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[ours["time_unit"]]
        ours_cpu_us = ours["cpu_time"] * scale
        ours_real_us = ours["real_time"] * scale
        page_path = os.path.join(folder, "ranking50.html")
        with open(page_path, "rb") as f:
            page = f.read()

        number, count, rows = extract(page)
        assert len(rows) == 50, len(rows)
        if os.path.exists(tool):
            cut = json.loads(subprocess.run([tool, "ranking", page_path], check=True,
                                            capture_output=True).stdout)
            assert (cut["page_number"], cut["page_count"]) == (number, count), (cut, number, count)
            assert cut["rows"] == rows, "lxml and tavelin-scrape disagree on the rows"
            print("lxml and tavelin-scrape cut the same 50 rows")

        best_cpu = best_real = float("inf")
        for _ in range(5):
            runs = 50
            cpu0, real0 = time.process_time(), time.perf_counter()
            for _ in range(runs):
                extract(page)
            best_cpu = min(best_cpu, (time.process_time() - cpu0) / runs * 1e6)
            best_real = min(best_real, (time.perf_counter() - real0) / runs * 1e6)

    print("page: %d bytes, 50 rows" % len(page))
    print("tavelin ScrapeRankingPage: %8.1f us CPU  %8.1f us wall (median of 5)" % (ours_cpu_us, ours_real_us))
    print("python lxml extraction:    %8.1f us CPU  %8.1f us wall (best of 5)" % (best_cpu, best_real))
    print("ratio lxml / tavelin:      %8.1f x CPU  %8.1f x wall" % (best_cpu / ours_cpu_us, best_real / ours_real_us))


if __name__ == "__main__":
    main()
