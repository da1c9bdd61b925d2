// Starts the game in the page: its command line from the address
// (?args=<URL-encoded command line>), its output into #log, its settings
// kept in the browser's storage, its end in the title ("zarn: exit N").
'use strict';

const logElement = document.getElementById('log');
const hint = document.getElementById('hint');
const canvas = document.getElementById('canvas');
// Where the game keeps zarn.ini when its own folder is not its to write.
const settingsFolder = '/home/web_user/.config/zarn';
const gameFolder = '/zarn';

function log(text) {
  logElement.textContent += text + '\n';
  logElement.scrollTop = logElement.scrollHeight;
}

// The command line as a shell would split it: blanks part words, quotes
// ('...' or "...") keep them together, a backslash takes the next character.
function splitCommandLine(text) {
  const words = [];
  let word = null;
  let quote = null;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quote) {
      if (c === quote) quote = null;
      else if (c === '\\' && quote === '"' && i + 1 < text.length) word += text[++i];
      else word += c;
    } else if (c === '"' || c === "'") {
      quote = c;
      word = word ?? '';
    } else if (c === '\\' && i + 1 < text.length) {
      word = (word ?? '') + text[++i];
    } else if (/\s/.test(c)) {
      if (word !== null) words.push(word);
      word = null;
    } else {
      word = (word ?? '') + c;
    }
  }
  if (word !== null) words.push(word);
  return words;
}

// Browsers start sound only after the player touches the page: every audio
// context the game opens is resumed on the first click or key.
const audioContexts = [];
for (const name of ['AudioContext', 'webkitAudioContext']) {
  const Original = window[name];
  if (!Original) continue;
  window[name] = class extends Original {
    constructor(...args) {
      super(...args);
      audioContexts.push(this);
    }
  };
}
window.zarnAudioContexts = audioContexts;
function startSound() {
  for (const context of audioContexts) if (context.state !== 'running') context.resume();
  hint.textContent = '';
}
for (const event of ['pointerdown', 'keydown']) window.addEventListener(event, startSound, true);

document.getElementById('fullscreen').addEventListener('click', () => {
  document.getElementById('stage').requestFullscreen?.().catch((e) => log('zarn: no full screen: ' + e.message));
  canvas.focus();
});

// js-synthesizer's FluidSynth is a module of its own that looks for a global
// `Module`; the game's own module is not global, so the two never meet.
function loadFluidSynth() {
  return new Promise((resolve, reject) => {
    const fluid = { onRuntimeInitialized: () => resolve(fluid), print: () => {}, printErr: () => {} };
    window.Module = fluid;
    const script = document.createElement('script');
    script.src = 'libfluidsynth.js';
    script.onerror = () => reject(new Error('libfluidsynth.js did not load'));
    document.head.appendChild(script);
  });
}

// The settings folder lives in IndexedDB. Storage that is denied or full
// costs only the settings: the game plays, and the log says so once.
let storageWorks = true;
function syncSettings(game, fromStorage) {
  if (!storageWorks) return Promise.resolve();
  return new Promise((resolve) => {
    game.FS.syncfs(fromStorage, (error) => {
      if (error && storageWorks) {
        storageWorks = false;
        log('zarn: the browser\'s storage is not available (' + (error.message || error) +
            '); the settings are not kept');
      }
      resolve();
    });
  });
}

function trailFile(args) {
  const i = args.indexOf('--trail');
  return i >= 0 && i + 1 < args.length ? args[i + 1] : null;
}

function finish(game, args, status) {
  const trail = trailFile(args);
  if (trail) {
    try {
      const path = trail.startsWith('/') ? trail : gameFolder + '/' + trail;
      document.getElementById('trail').textContent = game.FS.readFile(path, { encoding: 'utf8' });
    } catch (e) {
      log('zarn: no trail file ' + trail);
    }
  }
  const done = () => { document.title = 'zarn: exit ' + status; };
  syncSettings(game, false).then(done, done);
}

// The game ends its runtime by throwing Emscripten's ExitStatus past main;
// that is its way out, not an error of the page.
window.addEventListener('error', (e) => { if (e.error?.name === 'ExitStatus') e.preventDefault(); });

async function start() {
  const args = splitCommandLine(new URLSearchParams(location.search).get('args') ?? '');
  document.getElementById('status').textContent = args.length ? 'zarn ' + args.join(' ') : '';
  const fluid = await loadFluidSynth();
  let game = null;
  const settings = {
    arguments: args,
    canvas,
    fluid,
    print: log,
    printErr: log,
    noExitRuntime: false,
    onExit: (status) => finish(game, args, status),
    onAbort: (what) => { log('zarn: ended abnormally: ' + what); document.title = 'zarn: exit 134'; },
    preRun: [(module) => {
      game = window.zarn = module;  // a refused command line ends before createZarn resolves
      // As a desktop's environment names its display, the page names SDL's
      // driver for the tab.
      module.ENV.SDL_VIDEODRIVER = 'emscripten';
      module.FS.mkdirTree(settingsFolder);
      module.FS.mkdirTree(gameFolder);
      module.FS.chdir(gameFolder);
      try {
        module.FS.mount(module.IDBFS, {}, settingsFolder);
      } catch (e) {
        storageWorks = false;
        log('zarn: the browser\'s storage is not available; the settings are not kept');
        return;
      }
      module.addRunDependency('settings');
      syncSettings(module, true).then(() => {
        // ?ini=<URL-encoded zarn.ini> gives the settings, as a returning
        // player has them (the tests fix the speed this way).
        const ini = new URLSearchParams(location.search).get('ini');
        if (ini !== null) module.FS.writeFile(settingsFolder + '/zarn.ini', ini);
        module.removeRunDependency('settings');
      });
    }],
  };
  hint.textContent = 'Click or press a key for sound';
  await createZarn(settings);
  setInterval(() => syncSettings(game, false), 2000);
}

start().catch((e) => {
  log('zarn: ' + e.message);
  document.title = 'zarn: exit 1';
});
