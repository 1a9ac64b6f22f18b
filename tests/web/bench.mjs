// The browser build's figures for bench.sh, in headless Chromium:
//   stats ...            the runner's --stats lines for the perfect game played in the page, five
//                        runs (bench.sh takes the median, as of the native runner's five)
//   web_load_ms N        from navigation to the first picture of the game, in a fresh profile
//                        (nothing cached: the data is loaded too), three times (bench.sh takes
//                        the median)
//   web_repeat_load_ms N the same for a second visit, after the first has left the service worker
//                        holding the game's files, three times (bench.sh takes the median)
//
//   node bench.mjs SITE_DIR
import { spawn } from 'node:child_process';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2]);

async function main() {
    const server = spawn('python3', [path.join(here, '../../tools/web_server.py'), '--port', '0', site]);
    const address = await new Promise((resolve) => server.stdout.once('data', (l) => resolve(l.toString().trim())));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox'],
    });
    try {
        for (let run = 0; run < 5; ++run) {
            const runner = await browser.newPage();
            await runner.goto(`${address}?script=perfect&stats`);
            await runner.waitForFunction('window.stalkwayPage.exitCode !== null', { timeout: 600000, polling: 500 });
            for (const line of await runner.evaluate('window.stalkwayPage.stdout')) if (line.startsWith('stats ')) console.log(line);
            await runner.close();
        }

        for (let run = 0; run < 3; ++run) {
            const fresh = await browser.createBrowserContext();
            const game = await fresh.newPage();
            await game.setViewport({ width: 1280, height: 960 });
            await game.goto(address);
            await game.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000, polling: 'raf' });
            console.log('web_load_ms ' + (await game.evaluate('window.stalkwayPage.firstPicture')).toFixed(1));
            // The worker controls the page once it has kept every file; the first game stops
            // before the second visit, so that the two do not share the processor.
            await game.waitForFunction('navigator.serviceWorker.controller !== null', { timeout: 60000, polling: 100 });
            await game.close();
            const again = await fresh.newPage();
            await again.setViewport({ width: 1280, height: 960 });
            await again.goto(address);
            await again.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000, polling: 'raf' });
            const fromCache = await again.evaluate('performance.getEntriesByType("navigation")[0].workerStart > 0');
            if (!fromCache) throw new Error('the second visit did not go through the service worker');
            console.log('web_repeat_load_ms ' + (await again.evaluate('window.stalkwayPage.firstPicture')).toFixed(1));
            await fresh.close();
        }
    } finally {
        await browser.close();
        server.kill();
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
