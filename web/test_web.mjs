// The browser build in Debian's Chromium, against the desktop build run with
// the same command lines: the title's picture and scripted runs' trails are
// the same, the autopilot wins, sound starts on a click, and a
// refused command line ends with status 2. Also measures the timedemo.
// usage: node test_web.mjs URL NATIVE_ZARN NATIVE_RUN_FOLDER SCRATCH
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const [url, nativeZarn, nativeRun, scratch] = process.argv.slice(2);
let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${ok || !detail ? '' : ': ' + detail}`);
  if (!ok) failures += 1;
}

// Both games play at a fixed speed, as the golden runs do: the start-up's
// speed calibration is skipped.
const kIni = '[Zarn_Section]\nSPEED=100\n';

// The desktop game from a folder of its own (its zarn.ini, a home of its own),
// working in the data folder as the page's game does; files land in `out`.
function runNative(args, out, ini = kIni) {
  fs.rmSync(out, { recursive: true, force: true });
  fs.mkdirSync(path.join(out, 'home'), { recursive: true });
  fs.copyFileSync(nativeZarn, path.join(out, 'zarn'));
  fs.chmodSync(path.join(out, 'zarn'), 0o755);
  fs.writeFileSync(path.join(out, 'zarn.ini'), ini);
  const env = { ...process.env, HOME: path.join(out, 'home'), SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' };
  execFileSync(path.join(out, 'zarn'), args.map((a) => a.replace('OUT/', out + '/')), { cwd: nativeRun, env, stdio: 'pipe' });
}

// Pixels of an 8-bit RGB or RGBA PNG without interlacing (what the game writes).
function pngPixels(bytes) {
  let at = 8;
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error('not a plain 8-bit PNG');
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? out[y * stride + x - channels] : 0;
      const b = y > 0 ? out[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? out[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c;
      const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      out[y * stride + x] = (line[x] + predictor) & 0xff;
    }
  }
  return { width, height, pixels: out };
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// Runs the page with `args` in a fresh profile until the title tells the
// exit status; returns the page (for more questions) and that status.
async function runPage(args, { timeout = 300000, whileRunning, ini = kIni } = {}) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(`${url}?ini=${encodeURIComponent(ini)}&args=${encodeURIComponent(args)}`);
  if (whileRunning) await whileRunning(page);
  await page.waitForFunction(() => document.title.startsWith('zarn: exit'), null, { timeout, polling: 200 });
  const status = Number((await page.title()).replace('zarn: exit ', ''));
  const log = await page.locator('#log').textContent();
  return { page, context, status, log };
}

async function readWebFile(page, file) {
  return Buffer.from(await page.evaluate((f) => Array.from(window.zarn.FS.readFile(f)), file));
}

try {
  // The title, drawn the same way.
  {
    const args = '--headless --mode 0 --turns 200 --screenshot title.png';
    runNative(args.replace('title.png', 'OUT/title.png').split(' '), path.join(scratch, 'title'));
    const { page, context, status, log } = await runPage(args);
    check(status === 0, 'the title ran to its end', `exit ${status}; log: ${log}`);
    if (status === 0) {
      const web = pngPixels(await readWebFile(page, '/zarn/title.png'));
      const native = pngPixels(fs.readFileSync(path.join(scratch, 'title', 'title.png')));
      check(web.width === native.width && web.height === native.height && web.pixels.equals(native.pixels),
            'the title picture is the desktop\'s', `${web.width}x${web.height} vs ${native.width}x${native.height}`);
    }
    await context.close();
  }

  // The autopilot wins, turn for turn as on the desktop: stage 1 at the fixed
  // speed, the whole game on another seed, stage 1 with the speed calibrated.
  for (const [args, ini] of [['--headless --autopilot --autopilot-stages 1 --trail trail.txt', kIni],
                             ['--headless --autopilot --seed 3 --trail trail.txt', kIni],
                             ['--headless --autopilot --autopilot-stages 1 --trail trail.txt', '']]) {
    const what = `${args.replace(' --trail trail.txt', '')}${ini ? '' : ' (speed calibrated)'}`;
    runNative(args.replace('trail.txt', 'OUT/trail.txt').split(' '), path.join(scratch, 'autopilot'), ini);
    const { page, context, status, log } = await runPage(args, { ini });
    check(status === 0, `${what} wins (zarn: exit 0)`, `exit ${status}; log: ${log}`);
    // The first line names the command line, whose trail path differs.
    const withoutHeader = (text) => text.split('\n').slice(1).join('\n');
    const web = withoutHeader(await page.locator('#trail').textContent());
    const native = withoutHeader(fs.readFileSync(path.join(scratch, 'autopilot', 'trail.txt'), 'utf8'));
    const webLines = web.split('\n'), nativeLines = native.split('\n');
    const first = nativeLines.findIndex((line, i) => line !== webLines[i]);
    check(web === native, `${what}: its trail is the desktop's, ${nativeLines.length} lines`,
          `they part at line ${first + 1}: ${webLines[first]} vs ${nativeLines[first]}`);
    await context.close();
  }

  // Live in the tab: the picture drawn on the canvas, the sound started by a click.
  {
    const { page, context, status } = await runPage('--mode 0 --turns 300', {
      whileRunning: async (page) => {
        await page.waitForFunction(() => window.zarnAudioContexts.length > 0, null, { timeout: 60000 });
        await page.locator('#canvas').click();
        await page.waitForFunction(() => window.zarnAudioContexts.some((c) => c.state === 'running'),
                                   null, { timeout: 10000 });
        const drawn = await page.evaluate(() => {
          const c = document.getElementById('canvas');
          return c.width > 0 && c.height > 0;
        });
        check(drawn, 'the live game has a picture in the tab');
      },
    });
    check(status === 0, 'the live game ran to its end with sound running');
    await context.close();
  }

  // A refused command line.
  {
    const { context, status, log } = await runPage('--mode 99');
    check(status === 2 && /mode/.test(log), 'a refused command line ends with status 2 and says why', log);
    await context.close();
  }

  // The timedemo, for the record.
  {
    const { context, log } = await runPage('--mode 0 --timedemo demo.dat');
    const line = log.split('\n').find((l) => l.startsWith('timedemo'));
    console.log(`info ${line ?? 'no timedemo line: ' + log}`);
    await context.close();
  }
} catch (e) {
  check(false, 'the browser run', e.stack);
} finally {
  await browser.close();
}
console.log(failures ? `test-web: ${failures} failed` : 'test-web: all passed');
process.exit(failures ? 1 : 0);
