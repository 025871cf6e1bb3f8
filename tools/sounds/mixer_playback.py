"""Plays a track through SDL2_mixer, the game's own music decoder, into a file instead of a sound card.

SDL's disk audio driver writes what the mixer would send to the device; with no delay it runs as fast as the
mixer decodes. Used by the checks to hear the loop as the game does: the track played twice in a row.
"""
import ctypes
import os
import tempfile
import time

import numpy as np

SDL_INIT_AUDIO = 0x10
MIX_INIT_MP3 = 0x8
AUDIO_S16LSB = 0x8010
RATE = 44100


def play_twice(path, timeout=60.0):
    """The samples the mixer plays for the track looped once (two turns), from its first sound to its last."""
    with tempfile.TemporaryDirectory(prefix="mixer-") as folder:
        output = os.path.join(folder, "out.raw")
        os.environ.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=output, SDL_DISKAUDIODELAY="0")
        sdl = ctypes.CDLL("libSDL2-2.0.so.0")
        mixer = ctypes.CDLL("libSDL2_mixer-2.0.so.0")
        mixer.Mix_LoadMUS.restype = ctypes.c_void_p
        mixer.Mix_FreeMusic.argtypes = [ctypes.c_void_p]
        mixer.Mix_PlayMusic.argtypes = [ctypes.c_void_p, ctypes.c_int]
        if sdl.SDL_Init(SDL_INIT_AUDIO) != 0 or not mixer.Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3:
            raise RuntimeError("SDL2_mixer cannot decode MP3 here")
        if mixer.Mix_OpenAudio(RATE, AUDIO_S16LSB, 2, 4096) != 0:
            raise RuntimeError("SDL2_mixer cannot open the disk output")
        try:
            music = mixer.Mix_LoadMUS(os.fsencode(path))
            if not music:
                raise RuntimeError("SDL2_mixer cannot load %s" % path)
            mixer.Mix_PlayMusic(music, 2)
            deadline = time.monotonic() + timeout
            while mixer.Mix_PlayingMusic() and time.monotonic() < deadline:
                time.sleep(0.01)
            mixer.Mix_HaltMusic()
            mixer.Mix_FreeMusic(music)
        finally:
            mixer.Mix_CloseAudio()
            mixer.Mix_Quit()
            sdl.SDL_Quit()
        samples = np.fromfile(output, dtype="<i2").reshape(-1, 2) / 32767.0
    sounding = np.nonzero(np.max(np.abs(samples), axis=1) > 0)[0]
    return samples[sounding[0]:sounding[-1] + 1] if len(sounding) else samples[:0]
