(deffacts trojka-lat "numery lat"
	(years (rok1 2004) (rok2 2005) (rok3 2006)))
