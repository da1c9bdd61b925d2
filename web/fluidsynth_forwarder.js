// The FluidSynth calls the game's music makes, forwarded to the FluidSynth
// compiled for the browser (npm's js-synthesizer ships it as a module of its
// own, with its own memory and file system). The page loads that module and
// hands it to the game as Module.fluid before the game starts. Handles
// (settings, synth, player) are that module's pointers, passed through
// untouched; strings, files and sample buffers are copied across.
mergeInto(LibraryManager.library, {
  $zarnFluid__deps: ['malloc', 'free'],
  $zarnFluid: {
    copiedFiles: {},
    scratch: 0,
    scratchBytes: 0,
    module: function () {
      if (!Module['fluid']) throw new Error('the page gave the game no FluidSynth');
      return Module['fluid'];
    },
    // Runs f with `text` as a string in FluidSynth's memory.
    withString: function (text, f) {
      var F = zarnFluid.module();
      var bytes = F.lengthBytesUTF8(text) + 1;
      var p = F._malloc(bytes);
      F.stringToUTF8(text, p, bytes);
      try { return f(p); } finally { F._free(p); }
    },
    // The game's file at `path`, copied once into FluidSynth's file system;
    // null when the game has no such file.
    fileThere: function (path) {
      var F = zarnFluid.module();
      if (path in zarnFluid.copiedFiles) return zarnFluid.copiedFiles[path];
      var there = null;
      try {
        var data = FS.readFile(path);
        there = '/zarn-file-' + Object.keys(zarnFluid.copiedFiles).length;
        F.FS.writeFile(there, data);
      } catch (e) {
        there = null;
      }
      zarnFluid.copiedFiles[path] = there;
      return there;
    },
    scratchOf: function (bytes) {
      var F = zarnFluid.module();
      if (zarnFluid.scratchBytes < bytes) {
        if (zarnFluid.scratch) F._free(zarnFluid.scratch);
        zarnFluid.scratch = F._malloc(bytes);
        zarnFluid.scratchBytes = bytes;
      }
      return zarnFluid.scratch;
    },
  },

  fluid_set_log_function__deps: ['$zarnFluid'],
  fluid_set_log_function: function (level, fun, data) {
    var F = zarnFluid.module();
    var there = 0;
    if (fun) {
      // FluidSynth's message is copied into the game's memory for the game's
      // own log function.
      there = F.addFunction(function (lvl, message, unused) {
        var text = F.UTF8ToString(message);
        var bytes = lengthBytesUTF8(text) + 1;
        var p = _malloc(bytes);
        stringToUTF8(text, p, bytes);
        try { getWasmTableEntry(fun)(lvl, p, data); } finally { _free(p); }
      }, 'viii');
    }
    F._fluid_set_log_function(level, there, 0);
    return 0;
  },

  new_fluid_settings__deps: ['$zarnFluid'],
  new_fluid_settings: function () { return zarnFluid.module()._new_fluid_settings(); },
  delete_fluid_settings__deps: ['$zarnFluid'],
  delete_fluid_settings: function (settings) { zarnFluid.module()._delete_fluid_settings(settings); },
  fluid_settings_setnum__deps: ['$zarnFluid'],
  fluid_settings_setnum: function (settings, name, value) {
    return zarnFluid.withString(UTF8ToString(name), function (n) {
      return zarnFluid.module()._fluid_settings_setnum(settings, n, value);
    });
  },
  fluid_settings_setint__deps: ['$zarnFluid'],
  fluid_settings_setint: function (settings, name, value) {
    return zarnFluid.withString(UTF8ToString(name), function (n) {
      return zarnFluid.module()._fluid_settings_setint(settings, n, value);
    });
  },
  fluid_settings_setstr__deps: ['$zarnFluid'],
  fluid_settings_setstr: function (settings, name, value) {
    var text = UTF8ToString(value);
    return zarnFluid.withString(UTF8ToString(name), function (n) {
      return zarnFluid.withString(text, function (v) {
        return zarnFluid.module()._fluid_settings_setstr(settings, n, v);
      });
    });
  },

  new_fluid_synth__deps: ['$zarnFluid'],
  new_fluid_synth: function (settings) { return zarnFluid.module()._new_fluid_synth(settings); },
  delete_fluid_synth__deps: ['$zarnFluid'],
  delete_fluid_synth: function (synth) { zarnFluid.module()._delete_fluid_synth(synth); },
  fluid_is_soundfont__deps: ['$zarnFluid'],
  fluid_is_soundfont: function (filename) {
    var there = zarnFluid.fileThere(UTF8ToString(filename));
    if (!there) return 0;
    return zarnFluid.withString(there, function (p) { return zarnFluid.module()._fluid_is_soundfont(p); });
  },
  fluid_synth_sfload__deps: ['$zarnFluid'],
  fluid_synth_sfload: function (synth, filename, reset) {
    var there = zarnFluid.fileThere(UTF8ToString(filename));
    if (!there) return -1;
    return zarnFluid.withString(there, function (p) { return zarnFluid.module()._fluid_synth_sfload(synth, p, reset); });
  },
  fluid_synth_all_notes_off__deps: ['$zarnFluid'],
  fluid_synth_all_notes_off: function (synth, channel) {
    return zarnFluid.module()._fluid_synth_all_notes_off(synth, channel);
  },
  fluid_synth_all_sounds_off__deps: ['$zarnFluid'],
  fluid_synth_all_sounds_off: function (synth, channel) {
    return zarnFluid.module()._fluid_synth_all_sounds_off(synth, channel);
  },
  // Renders into FluidSynth's memory, then copies every sample written back
  // into the game's buffers (left and right may share one, interleaved).
  fluid_synth_write_s16__deps: ['$zarnFluid'],
  fluid_synth_write_s16: function (synth, len, lout, loff, lincr, rout, roff, rincr) {
    var F = zarnFluid.module();
    if (len <= 0) return 0;
    var lspan = loff + (len - 1) * lincr + 1;
    var rspan = roff + (len - 1) * rincr + 1;
    var shared = lout === rout;
    var lcount = shared ? Math.max(lspan, rspan) : lspan;
    var base = zarnFluid.scratchOf(2 * (lcount + (shared ? 0 : rspan)));
    var rbase = shared ? base : base + 2 * lcount;
    var result = F._fluid_synth_write_s16(synth, len, base, loff, lincr, rbase, roff, rincr);
    HEAP16.set(F.HEAP16.subarray(base >> 1, (base >> 1) + lcount), lout >> 1);
    if (!shared) HEAP16.set(F.HEAP16.subarray(rbase >> 1, (rbase >> 1) + rspan), rout >> 1);
    return result;
  },

  new_fluid_player__deps: ['$zarnFluid'],
  new_fluid_player: function (synth) { return zarnFluid.module()._new_fluid_player(synth); },
  delete_fluid_player__deps: ['$zarnFluid'],
  delete_fluid_player: function (player) { zarnFluid.module()._delete_fluid_player(player); },
  // FluidSynth keeps its own copy of the song.
  fluid_player_add_mem__deps: ['$zarnFluid'],
  fluid_player_add_mem: function (player, buffer, len) {
    var F = zarnFluid.module();
    var p = F._malloc(Math.max(len, 1));
    F.HEAPU8.set(HEAPU8.subarray(buffer, buffer + len), p);
    try { return F._fluid_player_add_mem(player, p, len); } finally { F._free(p); }
  },
  fluid_player_play__deps: ['$zarnFluid'],
  fluid_player_play: function (player) { return zarnFluid.module()._fluid_player_play(player); },
  fluid_player_stop__deps: ['$zarnFluid'],
  fluid_player_stop: function (player) { return zarnFluid.module()._fluid_player_stop(player); },
  fluid_player_get_status__deps: ['$zarnFluid'],
  fluid_player_get_status: function (player) { return zarnFluid.module()._fluid_player_get_status(player); },
  fluid_player_get_current_tick__deps: ['$zarnFluid'],
  fluid_player_get_current_tick: function (player) {
    return zarnFluid.module()._fluid_player_get_current_tick(player);
  },
  fluid_player_get_midi_tempo__deps: ['$zarnFluid'],
  fluid_player_get_midi_tempo: function (player) {
    return zarnFluid.module()._fluid_player_get_midi_tempo(player);
  },
});
